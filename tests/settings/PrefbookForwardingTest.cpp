#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <functional>
#include <map>

#include "SettingsFixture.h"
#include "devices/keyboards/IBX310V2ProfileCfg.h"
#include "devices/keyboards/IBX330V2ProfileCfg.h"
#include "devices/keyboards/IKR720ProfileCfg.h"
#include "devices/keyboards/TLProfileStore.h"
#include "devices/keypad/IKeydeckProfileCfg.h"
#include "devices/mice/IPR260ProfileCfg.h"
#include "devices/mice/IPR261ProfileCfg.h"
#include "devices/mice/IPR940ProfileCfg.h"
#include "devices/mice/IPR941ProfileCfg.h"
#include "settings/Prefbook.h"
#include "settings/StoreForwarding.h"

namespace prefbook::test {
namespace {

// The store each type must reach once that store exists; nullptr: the type is never forwarded.
const char* const kContract[kDeviceTypeCount] = {
    "KR720", "TL480",     "TL480",     "TL460", "TL460", "BX310V2", "BX330V2", "PR940", "PR260",
    "PR261", "PR941",     nullptr,     nullptr, nullptr, nullptr,   nullptr,   nullptr, nullptr,
    nullptr, "KEYDECK_G", "KEYDECK_C", nullptr, nullptr, nullptr,   nullptr};

// A store's values read through its own interface, past the table under test: open-exe path,
// export path, name of profile 1, executable of profile 2. A store joining the table needs a row.
using Probe = std::function<std::tuple<QString, QString, std::string, std::string>()>;

template <class I>
Probe ProbeOf() {
    return [] {
        I& s = I::Instance();
        return std::make_tuple(s.GetOpenExePath(), s.GetExportPath(), s.GetProfileName(1),
                               s.GetProfileExe(2));
    };
}

Probe KeydeckProbe(int type) {
    return [type] {
        IKeydeckProfileCfg& s = IKeydeckProfileCfg::Instance();
        return std::make_tuple(s.GetOpenExePath(type), s.GetExportPath(type), s.GetProfileName(type, 1),
                               s.GetProfileExe(type, 2));
    };
}

const std::map<std::string, Probe> kProbes = {
    {"KR720", ProbeOf<IKR720ProfileCfg>()},
    {"BX310V2", ProbeOf<IBX310V2ProfileCfg>()},
    {"BX330V2", ProbeOf<IBX330V2ProfileCfg>()},
    {"PR940", ProbeOf<IPR940ProfileCfg>()},
    {"KEYDECK_G", KeydeckProbe(19)},
    {"KEYDECK_C", KeydeckProbe(20)},
    {"TL480", ProbeOf<ITL480ProfileCfg>()},
    {"TL460", ProbeOf<ITL460ProfileCfg>()},
    {"PR260", ProbeOf<IPR260ProfileCfg>()},
    {"PR261", ProbeOf<IPR261ProfileCfg>()},
    {"PR941", ProbeOf<IPR941ProfileCfg>()},
};

std::vector<int> Types(bool served) {
    std::vector<int> types;
    if (!served) types = {-1, kDeviceTypeCount, 1000};
    for (int t = 0; t < kDeviceTypeCount; ++t)
        if (bool(StoreServing(t)) == served) types.push_back(t);
    return types;
}

TEST(ServedByTable, FollowsTheContractTheDeviceNamesAndTheTool) {
    QTemporaryDir base;
    QProcess tool;
    tool.start(PREFBOOK_CTL, {"--base", base.path(), "--json", "overview"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    QStringList toolModels;
    for (const QJsonValue& s : QJsonDocument::fromJson(tool.readAllStandardOutput())["stores"].toArray())
        toolModels << s["model"].toString();

    for (int t : Types(true)) {
        const char* model = StoreServing(t)->model;
        ASSERT_TRUE(kContract[t]) << "type " << t << " must be served by no store";
        EXPECT_STREQ(model, kContract[t]) << "type " << t;
        EXPECT_TRUE(QString::fromStdString(ProfileFolderName(t)).startsWith(model, Qt::CaseInsensitive));
        EXPECT_TRUE(toolModels.contains(model)) << model << " is unknown to prefbookctl";
        EXPECT_TRUE(kProbes.count(model)) << model << " has no probe in this test";
    }
}

using Forwarding = SettingsTest;

// Each setter reaches the store of the table, and each getter answers from it.
TEST_F(Forwarding, ReachesTheServingStore) {
    for (int t : Types(true)) {
        SCOPED_TRACE(t);
        const DeviceType type = static_cast<DeviceType>(t);
        const QString tag = QString::number(t) + QString::fromUtf8("-\xc3\xa9");
        Prefbook::SaveOpenExePath(type, "exe/" + tag);
        Prefbook::SaveProfileExportPath(type, "export/" + tag);
        Prefbook::SaveProfileName(type, 1, "name" + tag.toStdString());
        Prefbook::SaveOpenExeName(type, 2, "app" + tag.toStdString());
        const auto expected = std::make_tuple("exe/" + tag, "export/" + tag, "name" + tag.toStdString(),
                                              "app" + tag.toStdString());
        EXPECT_EQ(kProbes.at(StoreServing(t)->model)(), expected);
        EXPECT_EQ(std::make_tuple(Prefbook::ReadOpenExePath(type), Prefbook::ReadProfileExportPath(type),
                                  Prefbook::ReadProfileName(type, 1), Prefbook::ReadOpenExeName(type, 2)),
                  expected);
    }
    // The KR720 and BX stores count their records, the TL stores and the PR940 their
    // profiles; the later mice are not asked.
    EXPECT_EQ(Prefbook::ReadProfileNum(KR720), 25);
    EXPECT_EQ(Prefbook::ReadProfileNum(TL460W), 5);
    EXPECT_EQ(Prefbook::ReadProfileNum(PR940), 5);
    EXPECT_EQ(Prefbook::ReadProfileNum(BX310V2), 5);
    EXPECT_EQ(Prefbook::ReadProfileNum(KEYDECK_G), 0);
    EXPECT_EQ(Prefbook::ReadProfileNum(PR941), 0);
    QStringList names;
    Prefbook::ReadProfileName(TL480W, names);
    EXPECT_EQ(names.value(1), "name2-\xc3\xa9");  // both colours share one store: type 2 wrote it last
}

// Executable and path changes of the TL stores are on disk when the call returns; the KR720 keeps
// them, and every store a name change, in memory until the suite saves.
TEST_F(Forwarding, SavesAtOnceOnlyWhereRequired) {
    using Setter = std::function<void(DeviceType, const QString&)>;
    const std::pair<Setter, bool> setters[] = {
        {[](DeviceType t, const QString& v) { Prefbook::SaveOpenExePath(t, v); }, true},
        {[](DeviceType t, const QString& v) { Prefbook::SaveProfileExportPath(t, v); }, true},
        {[](DeviceType t, const QString& v) { Prefbook::SaveOpenExeName(t, 0, v.toStdString()); }, true},
        {[](DeviceType t, const QString& v) { Prefbook::SaveProfileName(t, 0, v.toStdString()); }, false},
    };
    for (auto [type, folder, saves] : {std::tuple{TL480W, 1, true},
                                       {TL460B, 3, true},
                                       {BX330V2, 6, true},
                                       {KR720, 0, false},
                                       {PR940, 7, false},
                                       {KEYDECK_C, 20, false}}) {
        const QString dir = ProcessHabitat().ProfileDir(folder);
        for (int i = 0; i < 4; ++i) {
            const QStringList before = ListFolder(dir);
            setters[i].first(type, "value" + QString::number(i));
            EXPECT_EQ(ListFolder(dir) != before, saves && setters[i].second)
                << "type " << type << " setter " << i;
        }
    }
    TestHost fresh;  // the saved TL480 document holds the changes
    fresh.habitat.SetBaseDir(Base());
    TL480ProfileCfgImpl reloaded(fresh.Host());
    EXPECT_EQ(std::make_tuple(reloaded.GetOpenExePath(), reloaded.GetExportPath(), reloaded.GetProfileExe(0)),
              std::make_tuple(QString("value0"), QString("value1"), std::string("value2")));
}

// A type an operation does not forward asks no store: nothing appears under the base folder.
TEST_F(Forwarding, UnservedTypesAskNoStore) {
    for (int t : Types(false)) {
        SCOPED_TRACE(t);
        const DeviceType type = static_cast<DeviceType>(t);
        Prefbook::SaveProfileName(type, 0, "x");
        Prefbook::SaveOpenExeName(type, 0, "x");
        Prefbook::SaveOpenExePath(type, "x");
        Prefbook::SaveProfileExportPath(type, "x");
        EXPECT_EQ(Prefbook::ReadProfileNum(type), 0);
        EXPECT_EQ(std::make_tuple(Prefbook::ReadOpenExePath(type), Prefbook::ReadProfileExportPath(type),
                                  Prefbook::ReadProfileName(type, 0), Prefbook::ReadOpenExeName(type, 0)),
                  std::make_tuple(QString(), QString(), std::string(), std::string()));
    }
    EXPECT_FALSE(QDir(Base() + "/profile").exists());
    // Out-parameters of unforwarded calls stay as they were, for unserved types and for stores
    // without the operation (the KR720 has no name list, no TL or mouse store a default file).
    for (DeviceType type : {PR260, PR941, KEYDECK_G, KR720}) {
        QStringList names{"kept"};
        Prefbook::ReadProfileName(type, names);
        EXPECT_EQ(names, QStringList{"kept"}) << type;
    }
    for (DeviceType type : {PR940, KR720, TL480B, PR941}) {
        QString path = "kept";
        EXPECT_TRUE(Prefbook::ReadDevDefaultPrefbook(type, path));
        EXPECT_EQ(path, "kept") << type;
    }
    EXPECT_FALSE(QDir(Base() + "/profile/PR940").exists());
}

// The keypad writes its default document for the variant asked at the path given.
TEST_F(Forwarding, DefaultFileOfTheKeypadVariant) {
    for (auto [type, root] : {std::pair{KEYDECK_G, "<KEYDECK_G "}, {KEYDECK_C, "<KEYDECK_C "}}) {
        QString path = Base() + "/default-" + QString::number(type) + ".xml";
        ASSERT_TRUE(Prefbook::ReadDevDefaultPrefbook(type, path));
        const QByteArray text = ReadAll(path);
        EXPECT_TRUE(text.contains(root)) << type;
        EXPECT_EQ(text.count("<profile "), 24) << type;
    }
}

}  // namespace
}  // namespace prefbook::test
