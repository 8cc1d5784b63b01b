#include <QDir>

#include "catalogue/StoreCatalogue.h"
#include "devices/mousepads/FT280ProfileCfgImpl.h"
#include "devices/mousepads/FT610ProfileCfgImpl.h"
#include "devices/textlight/VL550ProfileCfgImpl.h"

namespace prefbook::test {
namespace {

StoreEntry FT280Entry(const char* model, int type) {
    using S = FT280ProfileCfgImpl;
    StoreEntry e =
        FolderStore<S>(model, "IFT280ProfileCfg", type, "xml", [type](S& s) { return s.SaveProfile(type); });
    e.profiles = 1;
    e.load = LoadRule::Exact;
    // Each size gets other values, so that a document landing in another size's folder shows.
    e.fill = [type](void* p) {
        S& s = As<S>(p);
        const auto b = static_cast<uint8_t>(type * 10);
        s.SetModeSettings(
            type,
            {{uint8_t(b + 1), 2, 3, 4, 5}, {uint8_t(b + 2), 6, 7, 8, 9}, {uint8_t(b + 3), 10, 11, 12, 13}});
        s.SetCustomColors(type, {{1, uint8_t(b + 4), 21, 22, 23}, {0, 31, uint8_t(b + 5), 32, 33}});
        s.SetCurrMode(type, static_cast<uint8_t>(b + 9));
    };
    DocumentKind document("store document", "", 1);
    document.keptOnRefusal = false;  // a refused file is taken as read
    document.import = [type](void* s, const QString& path) { return As<S>(s).ImportProfile(type, path); };
    e.kinds = {document};
    e.sharesFilesWith = QStringList{"FT280M", "FT280L", "FT280XL"};  // one format for every size
    e.badIndex = {{"other types and modes past the list", [type](void* p) {
                       S& s = As<S>(p);
                       ModeSetting m{};
                       QVector<CustomColor> colors;
                       for (int other : {int(FT610), int(KEYDECK_G), -1}) {
                           s.SetModeSetting(other, 0, {5, 1, 2, 3, 4});
                           s.SetCurrMode(other, 3);
                           EXPECT_FALSE(s.GetModeSetting(other, 0, m));
                           EXPECT_FALSE(s.GetCustomColors(other, colors));
                           EXPECT_EQ(s.GetCurrMode(other), 0);
                           EXPECT_FALSE(s.SaveProfile(other));
                       }
                       EXPECT_FALSE(s.GetModeSetting(type, 3, m));
                       s.SetModeSetting(type, 3, {5, 1, 2, 3, 4});
                   }}};
    e.mark = [type](void* s, int n) { As<S>(s).SetCurrMode(type, static_cast<uint8_t>(n)); };
    e.markOf = [type](void* s) { return int(As<S>(s).GetCurrMode(type)); };
    return e;
}

}  // namespace

PREFBOOK_CATALOGUE_ENTRY(FT280M) {
    return FT280Entry("FT280M", FT280M);
}
PREFBOOK_CATALOGUE_ENTRY(FT280L) {
    return FT280Entry("FT280L", FT280L);
}
PREFBOOK_CATALOGUE_ENTRY(FT280XL) {
    return FT280Entry("FT280XL", FT280XL);
}

PREFBOOK_CATALOGUE_ENTRY(FT610) {
    using S = FT610ProfileCfgImpl;
    StoreEntry e = FolderStore<S>("FT610", "IFT610ProfileCfg", FT610, "bin");
    e.fill = [](void* p) {
        S& s = As<S>(p);
        FT610Record r{};
        auto* bytes = reinterpret_cast<uint8_t*>(&r);
        for (size_t i = 0; i < sizeof r; ++i) bytes[i] = static_cast<uint8_t>(200 - i);
        s.SetRecord(&r);
        s.SetHeaderA(0x04030201u);
        s.SetHeaderB(0x08070605u);
        uint8_t tail[kFT610TailSize];
        for (size_t i = 0; i < kFT610TailSize; ++i) tail[i] = static_cast<uint8_t>(0x80 + i);
        s.SetTailBlock(tail);
    };
    e.kinds = {{"store document", "", 0}};
    e.mark = [](void* s, int n) { As<S>(s).SetHeaderA(static_cast<uint32_t>(n)); };
    e.markOf = [](void* s) { return int(As<S>(s).GetHeaderA()); };
    return e;
}

PREFBOOK_CATALOGUE_ENTRY(VL550) {
    using S = VL550ProfileCfgImpl;
    StoreEntry e;
    e.model = "VL550";
    e.interface = "IVL550ProfileCfg";
    e.deviceType = VL550;
    e.rotates = false;
    // One named document instead of dated ones; the installed folder exists.
    const auto folder = [](TestHost& t) { return t.habitat.GetBaseDir() + "/profile/VL550/"; };
    e.make = [folder](TestHost& t) {
        QDir().mkpath(folder(t));
        return std::shared_ptr<void>(std::make_shared<S>(t.Host()));
    };
    e.written = [](void* s, TestHost& t) {
        const QString path = t.habitat.GetBaseDir() + "/written.xml";
        EXPECT_TRUE(As<S>(s).SaveDocumentAs(path));
        return ReadAll(path);
    };
    e.put = [folder](TestHost& t, const QByteArray& bytes, int) {
        QDir().mkpath(folder(t));
        WriteFile(folder(t) + "default.bin", bytes);
    };
    e.fill = [](void* p) {
        S& s = As<S>(p);
        for (uint8_t i = 0; i < kVL550ModeCount; ++i)
            s.SetModeSettingAt(
                i, {i, uint8_t(i + 20), uint8_t(i + 40), uint8_t(i + 60), uint8_t(i + 80), uint8_t(i + 100)});
        uint8_t block[kVL550CustomBlockSize];
        for (size_t i = 0; i < kVL550CustomBlockSize; ++i) block[i] = static_cast<uint8_t>(150 + i);
        s.SetCustomBlock(block);
        s.SetCustomColors(0, {{1, 2, 3, 4, 5}, {0, 6, 7, 8, 9}});
        const uint8_t text[kVL550TextSize] = {3, 44};
        s.SetText(text);
        s.SetCurrMode(5);
    };
    e.kinds = {{"store document", "", 0}};
    e.badIndex = {{"mode 10", [](void* p) {
                       S& s = As<S>(p);
                       VLModeSetting m{};
                       EXPECT_THROW(s.GetModeSettingAt(kVL550ModeCount, m), std::out_of_range);
                       EXPECT_THROW(s.SetModeSetting({kVL550ModeCount, 1, 1, 1, 1, 1}), std::out_of_range);
                       s.SetModeSettingAt(kVL550ModeCount, {1, 1, 1, 1, 1, 1});
                       // The throwing setter must not have marked the profile changed.
                       EXPECT_EQ(s.GetChangeFlag(), 1);
                       EXPECT_EQ(s.GetCurrMode(), 5);
                       s.SetCurrMode(kVL550ModeCount);
                       EXPECT_THROW(s.GetCurrentModeSetting(m), std::out_of_range);
                       s.SetCurrMode(5);
                   }}};
    return e;
}

}  // namespace prefbook::test
