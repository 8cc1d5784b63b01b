#pragma once

#include <gtest/gtest.h>

#include "devices/audio/AudioRecords.h"
#include "support/TestHost.h"

namespace prefbook::test {

// An equaliser mode in one expression, for expected tables.
inline EqMode Eq(int id, const char* name, int hz64, int hz250, int hz1k, int hz4k, int hz16k) {
    EqMode m;
    m.id = id;
    m.name = name;
    m.hz64 = hz64;
    m.hz250 = hz250;
    m.hz1k = hz1k;
    m.hz4k = hz4k;
    m.hz16k = hz16k;
    return m;
}

// A store's temporary folders: documents dated into its profile folder, files for import.
template <int Type>
class AudioFolderTest : public ::testing::Test {
protected:
    TestHost t;
    QString Dir() { return t.habitat.ProfileDir(Type); }
    QString Put(int minute, const QByteArray& content) { return PutDocument(Dir(), minute, content); }
    QString UserFile(const QByteArray& content) {
        const QString path = t.habitat.GetBaseDir() + "/import.xml";
        WriteFile(path, content);
        return path;
    }
};

}  // namespace prefbook::test
