#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/TestHost.h"

namespace prefbook::test {

inline const QString kData = QStringLiteral(PREFBOOK_TEST_DATA "/tool/");
inline const QDateTime kT0(QDate(2026, 3, 14), QTime(15, 9, 26));

struct Result {
    int exitCode = -1;
    QString out, err;
};

// Starts the built tool (program: what runs it, such as setpriv); PREFBOOK_BASE_DIR points at a
// folder of its own so that a run without --base never touches the user's data.
inline void StartTool(QProcess& process, const QStringList& args, const QString& defaultBase = QString(),
                      const QStringList& program = {PREFBOOK_CTL}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PREFBOOK_BASE_DIR",
               defaultBase.isEmpty() ? QDir::tempPath() + "/prefbookctl-test-unused" : defaultBase);
    env.insert("LC_ALL", "C.UTF-8");  // the text output's ellipsis depends on the locale
    env.remove("NO_COLOR");
    process.setProcessEnvironment(env);
    process.start(program[0], program.mid(1) + args);
}

// A finished run; a run that does not end in 30 seconds fails instead of hanging the suite.
inline Result Finish(QProcess& process) {
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

inline Result RunTool(const QStringList& args, const QString& defaultBase = QString(),
                      const QStringList& program = {PREFBOOK_CTL}) {
    QProcess process;
    StartTool(process, args, defaultBase, program);
    return Finish(process);
}

// Tool runs over a fresh base folder, and the golden texts in tests/data/tool/, where "<BASE>" stands
// for the base folder and "<DATA>" for tests/data/tool. PREFBOOK_UPDATE_GOLDEN=1 rewrites them from
// the tool's output (review the difference before keeping it).
class Tool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(base_.isValid()); }

    QString Base() const { return base_.path(); }
    Result RunHere(QStringList args) { return RunTool(QStringList{"--base", Base()} + args); }
    // A run that must succeed.
    Result RunOk(const QStringList& args) {
        Result result = RunHere(args);
        EXPECT_EQ(result.exitCode, 0) << args.join(' ').toStdString() << ": " << result.err.toStdString();
        return result;
    }

    void HandWrite(const QString& relative, const QByteArray& text) {
        QDir().mkpath(QFileInfo(Base() + relative).path());
        WriteFile(Base() + relative, text);
    }
    QByteArray Text(const QString& relative) const { return ReadAll(Base() + relative); }
    QStringList Entries() const { return QDir(Base()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    // Copies a fixture into a profile folder under a document name, modified at kT0 + seconds.
    QString Place(const QString& fixture, const QString& folder, const QString& name, int seconds) {
        const QString path = Base() + "/profile/" + folder + "/" + name;
        HandWrite("/profile/" + folder + "/" + name, ReadAll(kData + fixture));
        SetModified(path, kT0.addSecs(seconds));
        return path;
    }

    // alignedPaths: a column after one holding the base folder is aligned to the folder's length,
    // which differs between machines; such tables are compared with their blank runs shortened.
    void ExpectGolden(const QString& golden, QString actual, bool alignedPaths = false) {
        actual.replace(Base(), "<BASE>").replace(kData, "<DATA>/");
        if (alignedPaths) actual.replace(QRegularExpression(" {2,}"), "  ");
        if (qEnvironmentVariableIsSet("PREFBOOK_UPDATE_GOLDEN")) WriteFile(kData + golden, actual.toUtf8());
        EXPECT_EQ(actual.toStdString(), QString::fromUtf8(ReadAll(kData + golden)).toStdString())
            << golden.toStdString();
    }

    // Every file under the base folder with its bytes.
    QMap<QString, QByteArray> Snapshot() const {
        QMap<QString, QByteArray> files;
        QDirIterator it(Base(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path.mid(Base().size()), ReadAll(path));
        }
        return files;
    }

    QStringList Documents(const QString& folder) const {
        return QDir(Base() + "/profile/" + folder).entryList({"*.xml", "*.bin"}, QDir::Files, QDir::Name);
    }

    QJsonObject Json(const QStringList& args) { return ParseJson(RunOk(QStringList{"--json"} + args).out); }
    QJsonArray ShowRows(const QString& model) { return Json({"show", model})["profiles"].toArray(); }

    static QJsonObject ParseJson(const QString& text) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
        return doc.object();
    }

private:
    QTemporaryDir base_;
};

// The suites over stores share the fixture.
using StoreCommands = Tool;

}  // namespace prefbook::test
