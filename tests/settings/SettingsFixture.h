#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>

#include "support/TestHost.h"

namespace prefbook::test {

// Points the process-wide habitat at a fresh base folder for each test; Prefbook reaches the
// services only through Instance().
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(base_.isValid());
        ProcessHabitat().SetBaseDir(base_.path());
        ProcessTracebook().Clear();
    }
    void TearDown() override { QTextCodec::setCodecForLocale(nullptr); }

    QString Base() const { return base_.path(); }
    QString PathOf(const char* relative) const { return base_.path() + relative; }

    // Writes a settings file by hand, creating its folder.
    void HandWrite(const char* relative, const QByteArray& text) {
        const QString path = PathOf(relative);
        QDir().mkpath(QFileInfo(path).path());
        WriteFile(path, text);
    }

    // The raw text of key in [group] of an INI file, read without QSettings; null when absent.
    static QByteArray RawValue(const QString& path, const QByteArray& group, const QByteArray& key) {
        QByteArray section;
        for (const QByteArray& line : ReadAll(path).split('\n')) {
            if (line.startsWith('[') && line.endsWith(']')) {
                section = line.mid(1, line.size() - 2);
            } else if (section == group && line.startsWith(key + '=')) {
                return line.mid(key.size() + 1);
            }
        }
        return QByteArray();
    }

private:
    QTemporaryDir base_;
};

}  // namespace prefbook::test
