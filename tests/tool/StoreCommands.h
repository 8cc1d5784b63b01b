#pragma once

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>

#include "ToolRunner.h"

namespace prefbook::test {

inline const QString kData = QStringLiteral(PREFBOOK_TEST_DATA "/tool/");
inline const QDateTime kT0(QDate(2026, 3, 14), QTime(15, 9, 26));

// Stores, tool runs over a prepared base folder, and the golden texts in tests/data/tool/, where
// "<BASE>" stands for the base folder and "<DATA>" for tests/data/tool. PREFBOOK_UPDATE_GOLDEN=1
// rewrites them from the tool's output (review the difference before keeping it).
class StoreCommands : public Tool {
protected:
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

    QJsonArray ShowRows(const QString& model) { return Json({"show", model})["profiles"].toArray(); }
};

}  // namespace prefbook::test
