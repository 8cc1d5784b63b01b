#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "devices/mice/PR941ProfileCfgImpl.h"
#include "support/TestHost.h"
#include "threads/StartLine.h"

namespace prefbook::test {
namespace {

// Counts how many threads are inside a log call at once, and lingers there so that overlaps show.
class OverlapTracebook final : public ITracebook {
public:
    void WriteLog(const QString&) override {
        const int now = ++inside_;
        int seen = most_.load();
        while (now > seen && !most_.compare_exchange_weak(seen, now)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        --inside_;
    }
    void WriteLogDetail(const QString&) override {}
    int Most() const { return most_.load(); }

private:
    std::atomic<int> inside_{0};
    std::atomic<int> most_{0};
};

// Merges from several threads at once never interleave: every merge succeeds, whatever a reader
// finds at the document's path at any moment is one merge's complete outcome, and no two merges
// read the document at the same time. Each read logs once (a bound macro on button 13, which the
// reader reports), so overlapping reads meet inside the tracebook.
TEST(ConcurrentMerge, MergesNeverInterleave) {
    TestHost t;
    OverlapTracebook log;
    const StoreHost host{&t.habitat, &log, &t.clock};
    const QString dir = t.habitat.ProfileDir(10);
    QByteArray original = "<PR941 flag=\"1282\">";
    for (int i = 0; i < 5; ++i) original += "<profile id=\"" + QByteArray::number(i) + "\"/>";
    const QString path = PutDocument(dir, 1, original + "</PR941>");
    PR941ProfileCfgImpl store(host);
    ASSERT_EQ(store.DocumentPath(), path);
    for (int i = 0; i < 5; ++i) {
        PR941Profile profile;
        store.GetProfile(i, profile);
        profile.name = "merged " + std::to_string(i);
        MouseMacroRecord stray{};
        stray.name[0] = 'x';
        profile.buttonMacros[kMouseButtons] = stray;
        store.SetProfile(i, profile);
    }
    ASSERT_TRUE(store.MergeSaveProfile());
    const QByteArray merged = ReadAll(path);  // merging again gives the same bytes
    ASSERT_TRUE(merged.contains("<macro name=\"x\" id=\"13\""));

    constexpr int kMergers = 4;
    constexpr int kMerges = 10;
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
    EXPECT_EQ(log.Most(), 1);
    EXPECT_EQ(ReadAll(path), merged);
    EXPECT_EQ(ListFolder(dir).size(), 1);  // no temporary file left behind
}

}  // namespace
}  // namespace prefbook::test
