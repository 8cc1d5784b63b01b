#include <gtest/gtest.h>

#include <atomic>

#include "devices/mice/PR941ProfileCfgImpl.h"
#include "support/TestHost.h"
#include "threads/StartLine.h"

namespace prefbook::test {
namespace {

// Merges from several threads at once each replace the document whole: every merge succeeds, and
// whatever a reader finds at the document's path at any moment is one merge's complete outcome.
TEST(ConcurrentMerge, MergesNeverInterleave) {
    TestHost t;
    const QString dir = t.habitat.ProfileDir(10);
    QByteArray original = "<PR941 flag=\"1282\">";
    for (int i = 0; i < 5; ++i) original += "<profile id=\"" + QByteArray::number(i) + "\"/>";
    const QString path = PutDocument(dir, 1, original + "</PR941>");
    PR941ProfileCfgImpl store(t.Host());
    ASSERT_EQ(store.DocumentPath(), path);
    for (int i = 0; i < 5; ++i) {
        store.SetProfileName(i, "merged " + std::to_string(i));
        store.AddEmptyMacro(i, "macro " + std::to_string(i));
    }
    ASSERT_TRUE(store.MergeSaveProfile());
    const QByteArray merged = ReadAll(path);  // merging again gives the same bytes

    constexpr int kMergers = 4;
    constexpr int kMerges = 15;
    std::atomic<int> failed{0};
    std::atomic<int> done{0};
    std::atomic<int> torn{0};
    RunTogether(kMergers + 1, [&](int index) {
        if (index == kMergers) {
            while (done.load() < kMergers) {
                if (ReadAll(path) != merged) torn.fetch_add(1);
            }
            return;
        }
        for (int n = 0; n < kMerges; ++n) {
            if (!store.MergeSaveProfile()) failed.fetch_add(1);
        }
        done.fetch_add(1);
    });
    EXPECT_EQ(failed.load(), 0);
    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(ReadAll(path), merged);
    EXPECT_EQ(ListFolder(dir).size(), 1);  // no temporary file left behind
}

}  // namespace
}  // namespace prefbook::test
