#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include "support/TestHost.h"

namespace prefbook::test {

struct Result {
    int exitCode = -1;
    QString out, err;
};

// Runs the built tool; PREFBOOK_BASE_DIR points at a folder of its own so that a run without --base
// never touches the user's data.
inline Result RunTool(const QStringList& args, const QString& defaultBase = QString()) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PREFBOOK_BASE_DIR",
               defaultBase.isEmpty() ? QDir::tempPath() + "/prefbookctl-test-unused" : defaultBase);
    env.insert("LC_ALL", "C.UTF-8");  // the text output's ellipsis depends on the locale
    env.remove("NO_COLOR");
    process.setProcessEnvironment(env);
    process.start(PREFBOOK_CTL, args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// A tool run over a fresh base folder.
class Tool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(base_.isValid()); }

    QString Base() const { return base_.path(); }
    Result RunHere(QStringList args) { return RunTool(QStringList{"--base", Base()} + args); }

    void HandWrite(const QString& relative, const QByteArray& text) {
        QDir().mkpath(QFileInfo(Base() + relative).path());
        WriteFile(Base() + relative, text);
    }
    QByteArray Text(const QString& relative) const { return ReadAll(Base() + relative); }
    QStringList Entries() const { return QDir(Base()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    QJsonObject Json(const QStringList& args) {
        const Result result = RunHere(QStringList{"--json"} + args);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return ParseJson(result.out);
    }

    static QJsonObject ParseJson(const QString& text) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
        return doc.object();
    }

private:
    QTemporaryDir base_;
};

}  // namespace prefbook::test
