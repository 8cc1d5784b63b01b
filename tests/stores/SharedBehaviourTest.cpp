#include <gtest/gtest.h>

#include <QDir>
#include <functional>
#include <memory>

#include "devices/audio/AU570ProfileCfgImpl.h"
#include "devices/audio/AudioProfileStore.h"
#include "devices/keyboards/KR720ProfileCfgImpl.h"
#include "devices/keyboards/TLProfileStore.h"
#include "devices/mice/PR26xProfileCfgImpl.h"
#include "devices/mice/PR941ProfileCfgImpl.h"
#include "devices/mousepads/FT280ProfileCfgImpl.h"
#include "devices/mousepads/FT610ProfileCfgImpl.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

// What the rotation tests need of a store: build it over a host (which loads), save it, and put a
// number into it that survives a save and a reload.
struct StoreKind {
    const char* name;
    int deviceType;
    const char* suffix;
    std::function<std::shared_ptr<void>(const StoreHost&)> make;
    std::function<bool(void*)> save;
    std::function<void(void*, int)> mark;
    std::function<int(void*)> markOf;
};

template <class S>
S& As(void* s) {
    return *static_cast<S*>(s);
}

template <class S>
std::shared_ptr<void> Make(const StoreHost& host) {
    return std::make_shared<S>(host);
}

int NumberIn(const std::string& text) {
    return text.rfind("mark ", 0) == 0 ? std::stoi(text.substr(5)) : -1;
}
std::string MarkText(int n) {
    return "mark " + std::to_string(n);
}

template <class S>
StoreKind Keyboard(const char* name, int type) {
    return {name,
            type,
            "xml",
            Make<S>,
            [](void* s) { return As<S>(s).SaveProfile(); },
            [](void* s, int n) { As<S>(s).SetProfileName(0, MarkText(n)); },
            [](void* s) { return NumberIn(As<S>(s).GetProfileName(0)); }};
}

template <class S>
StoreKind Audio(const char* name, int type) {
    return {name,
            type,
            "xml",
            Make<S>,
            [](void* s) { return As<S>(s).SaveProfile(); },
            [](void* s, int n) { As<S>(s).SetProfileName(0, QString::fromStdString(MarkText(n))); },
            [](void* s) {
                QString text;
                As<S>(s).GetProfileName(0, text);
                return NumberIn(text.toStdString());
            }};
}

const StoreKind kStores[] = {
    Keyboard<TL480ProfileCfgImpl>("TL480", 1),
    Keyboard<TL460ProfileCfgImpl>("TL460", 3),
    Keyboard<KR720ProfileCfgImpl>("KR720", 0),
    Keyboard<PR260ProfileCfgImpl>("PR260", 8),
    Keyboard<PR261ProfileCfgImpl>("PR261", 9),
    Keyboard<PR941ProfileCfgImpl>("PR941", 10),
    Audio<DS180ProfileCfgImpl>("DS180", 14),
    Audio<AU320ProfileCfgImpl>("AU320", 12),
    Audio<AU340ProfileCfgImpl>("AU340", 13),
    {"AU570", 11, "xml", Make<AU570ProfileCfgImpl>,
     [](void* s) { return As<AU570ProfileCfgImpl>(s).SaveProfile(); },
     [](void* s, int n) { As<AU570ProfileCfgImpl>(s).SetBass(n); },
     [](void* s) { return As<AU570ProfileCfgImpl>(s).GetBass(); }},
    {"FT280M", 16, "xml", Make<FT280ProfileCfgImpl>,
     [](void* s) { return As<FT280ProfileCfgImpl>(s).SaveProfile(16); },
     [](void* s, int n) { As<FT280ProfileCfgImpl>(s).SetCurrMode(16, static_cast<uint8_t>(n)); },
     [](void* s) { return int(As<FT280ProfileCfgImpl>(s).GetCurrMode(16)); }},
    {"FT610", 15, "bin", Make<FT610ProfileCfgImpl>,
     [](void* s) { return As<FT610ProfileCfgImpl>(s).SaveProfile(); },
     [](void* s, int n) { As<FT610ProfileCfgImpl>(s).SetHeaderA(static_cast<uint32_t>(n)); },
     [](void* s) { return int(As<FT610ProfileCfgImpl>(s).GetHeaderA()); }},
};

// The rotation every store shares, run over every store: fresh folders, round trips, pruning to two
// documents, saves within one second, and the fallback past a broken newest document.
class SharedBehaviour : public ::testing::TestWithParam<StoreKind> {
protected:
    TestHost t;
    const StoreKind& kind = GetParam();
    QString dir = t.habitat.ProfileDir(kind.deviceType);

    std::shared_ptr<void> Fresh() { return kind.make(t.Host()); }
    QStringList Documents() const {
        return QDir(dir).entryList({QString("*.") + kind.suffix}, QDir::Files, QDir::Name);
    }
    void SaveMarked(void* store, int n) {
        kind.mark(store, n);
        ASSERT_TRUE(kind.save(store));
    }
};

TEST_P(SharedBehaviour, FreshFolderSavesOneDocumentThatTheNextStoreLoads) {
    auto store = Fresh();
    EXPECT_TRUE(ListFolder(dir).isEmpty()) << "a load must not write";
    SaveMarked(store.get(), 7);
    EXPECT_EQ(ListFolder(dir), Documents());
    ASSERT_EQ(Documents().size(), 1);
    EXPECT_EQ(kind.markOf(Fresh().get()), 7);
}

TEST_P(SharedBehaviour, SavesKeepTheTwoNewestAndTheNewestLoads) {
    auto store = Fresh();
    for (int n = 1; n <= 4; ++n) {
        SaveMarked(store.get(), n);
        t.clock.Advance(n % 2);  // two saves in one second, then the next second
    }
    EXPECT_EQ(Documents().size(), 2);
    EXPECT_EQ(ListFolder(dir).size(), 2);
    EXPECT_EQ(kind.markOf(Fresh().get()), 4);
}

TEST_P(SharedBehaviour, BrokenNewestDocumentFallsBackToTheOlderOne) {
    if (QString(kind.suffix) != "xml") GTEST_SKIP() << "a binary record has no structure to break";
    SaveMarked(Fresh().get(), 5);
    const QString broken = dir + "2099-01-01 00-00-00.xml";
    WriteFile(broken, "<" + QByteArray(kind.name).toLower() + "><profile");
    SetModified(broken, QDateTime::currentDateTime().addSecs(60));
    EXPECT_EQ(kind.markOf(Fresh().get()), 5);
    EXPECT_TRUE(t.log.Lines().join('\n').contains("Failed to parse file " + broken + " : "));
}

INSTANTIATE_TEST_SUITE_P(EveryStore, SharedBehaviour, ::testing::ValuesIn(kStores),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace prefbook::test
