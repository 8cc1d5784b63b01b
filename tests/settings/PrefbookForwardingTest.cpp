#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <functional>
#include <map>

#include "SettingsFixture.h"
#include "devices/keyboards/IKR720ProfileCfg.h"
#include "devices/keyboards/ITL460ProfileCfg.h"
#include "devices/keyboards/ITL480ProfileCfg.h"
#include "devices/keyboards/TLProfileStore.h"
#include "settings/Prefbook.h"
#include "settings/StoreForwarding.h"

namespace prefbook::test {
namespace {

// The store each type must reach once that store exists; nullptr: the type is never forwarded.
const char* const kContract[kDeviceTypeCount] = {
    "KR720", "TL480",   "TL480",   "TL460", "TL460", "BX310V2", "BX330V2", "PR940", "PR260",
    "PR261", "PR941",   nullptr,   nullptr, nullptr, nullptr,   nullptr,   nullptr, nullptr,
    nullptr, "Keydeck", "Keydeck", nullptr, nullptr, nullptr,   nullptr};

// Reads a store's values through its own interface, past the table under test. A store joining the
// table needs a row here.
struct Probe {
    std::function<QString()> openExePath, exportPath;
    std::function<std::string(int)> name, exe;
    std::function<int()> count;  // what ReadProfileNum must answer
};

template <class I>
Probe ProbeOf(std::function<int()> count) {
    return {[] { return I::Instance().GetOpenExePath(); }, [] { return I::Instance().GetExportPath(); },
            [](int i) { return I::Instance().GetProfileName(i); },
            [](int i) { return I::Instance().GetProfileExe(i); }, count};
}

const std::map<std::string, Probe>& Probes() {
    static const std::map<std::string, Probe> probes = {
        {"KR720",
         ProbeOf<IKR720ProfileCfg>([] { return int(IKR720ProfileCfg::Instance().GetRecordCount()); })},
        {"TL480", ProbeOf<ITL480ProfileCfg>([] { return ITL480ProfileCfg::Instance().GetProfileNum(); })},
        {"TL460", ProbeOf<ITL460ProfileCfg>([] { return ITL460ProfileCfg::Instance().GetProfileNum(); })},
    };
    return probes;
}

std::vector<int> ServedTypes() {
    std::vector<int> types;
    for (int t = 0; t < kDeviceTypeCount; ++t)
        if (StoreServing(t)) types.push_back(t);
    return types;
}

std::vector<int> UnservedTypes() {
    std::vector<int> types{-1, kDeviceTypeCount, 1000};
    for (int t = 0; t < kDeviceTypeCount; ++t)
        if (!StoreServing(t)) types.push_back(t);
    return types;
}

DeviceType Type(int t) {
    return static_cast<DeviceType>(t);
}

TEST(ServedByTable, FollowsTheContractAndTheDeviceNames) {
    for (int t = 0; t < kDeviceTypeCount; ++t) {
        const ServingStore* store = StoreServing(t);
        if (!store) continue;  // not joined yet: behaves as unserved, checked below
        ASSERT_TRUE(kContract[t]) << "type " << t << " must be served by no store";
        EXPECT_STREQ(store->model, kContract[t]) << "type " << t;
        EXPECT_TRUE(
            QString::fromStdString(ProfileFolderName(t)).startsWith(store->model, Qt::CaseInsensitive));
        EXPECT_TRUE(Probes().count(store->model)) << store->model << " has no probe in this test";
    }
    EXPECT_EQ(StoreServing(-1), nullptr);
    EXPECT_EQ(StoreServing(kDeviceTypeCount), nullptr);
}

// prefbookctl must offer every store the suite's questions reach.
TEST(ServedByTable, EveryServingStoreIsKnownToTheTool) {
    QTemporaryDir base;
    QProcess tool;
    tool.start(PREFBOOK_CTL, {"--base", base.path(), "--json", "overview"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    QStringList models;
    for (const QJsonValue& s : QJsonDocument::fromJson(tool.readAllStandardOutput())["stores"].toArray())
        models << s["model"].toString();
    for (int t : ServedTypes()) EXPECT_TRUE(models.contains(StoreServing(t)->model)) << "type " << t;
}

using Forwarding = SettingsTest;

// Each setter reaches the store of the table (read back past Prefbook), and each getter answers from it.
TEST_F(Forwarding, ReachesTheServingStore) {
    for (int t : ServedTypes()) {
        SCOPED_TRACE(t);
        const Probe& store = Probes().at(StoreServing(t)->model);
        const QString tag = QString::number(t) + QString::fromUtf8("-\xc3\xa9");
        const std::string narrow = tag.toStdString();

        Prefbook::SaveOpenExePath(Type(t), "exe/" + tag);
        EXPECT_EQ(store.openExePath(), "exe/" + tag);
        EXPECT_EQ(Prefbook::ReadOpenExePath(Type(t)), "exe/" + tag);
        Prefbook::SaveProfileExportPath(Type(t), "export/" + tag);
        EXPECT_EQ(store.exportPath(), "export/" + tag);
        EXPECT_EQ(Prefbook::ReadProfileExportPath(Type(t)), "export/" + tag);
        Prefbook::SaveProfileName(Type(t), 1, "name" + narrow);
        EXPECT_EQ(store.name(1), "name" + narrow);
        EXPECT_EQ(Prefbook::ReadProfileName(Type(t), 1), "name" + narrow);
        Prefbook::SaveOpenExeName(Type(t), 2, "app" + narrow);
        EXPECT_EQ(store.exe(2), "app" + narrow);
        EXPECT_EQ(Prefbook::ReadOpenExeName(Type(t), 2), "app" + narrow);
        EXPECT_EQ(Prefbook::ReadProfileNum(Type(t)), store.count());
    }
    // Both colours of a model share one store.
    Prefbook::SaveOpenExePath(TL480W, "shared");
    EXPECT_EQ(Prefbook::ReadOpenExePath(TL480B), "shared");
    EXPECT_EQ(ITL480ProfileCfg::Instance().GetOpenExePath(), "shared");
}

TEST_F(Forwarding, ProfileNumCountsKR720RecordsAndTLProfiles) {
    EXPECT_EQ(Prefbook::ReadProfileNum(KR720), 25);
    EXPECT_EQ(Prefbook::ReadProfileNum(TL460W), 5);
}

// Executable and path changes of the TL stores are on disk when the call returns; the KR720 keeps
// them in memory.
TEST_F(Forwarding, SavesAtOnceOnlyWhereRequired) {
    using Setter = std::function<void(DeviceType, const QString&)>;
    const Setter setters[] = {
        [](DeviceType t, const QString& v) { Prefbook::SaveOpenExePath(t, v); },
        [](DeviceType t, const QString& v) { Prefbook::SaveProfileExportPath(t, v); },
        [](DeviceType t, const QString& v) { Prefbook::SaveOpenExeName(t, 0, v.toStdString()); },
    };
    struct Case {
        DeviceType type;
        int folderType;
        bool saves;
    };
    for (const Case& c : {Case{TL480W, 1, true}, Case{TL460B, 3, true}, Case{KR720, 0, false}}) {
        const QString dir = ProcessHabitat().ProfileDir(c.folderType);
        for (int i = 0; i < 3; ++i) {
            const QStringList before = ListFolder(dir);
            setters[i](c.type, "value" + QString::number(i));
            EXPECT_EQ(ListFolder(dir) != before, c.saves) << "type " << c.type << " setter " << i;
        }
    }
    // The saved TL480 document holds the change.
    TestHost fresh;
    fresh.habitat.SetBaseDir(Base());
    TL480ProfileCfgImpl reloaded(fresh.Host());
    EXPECT_EQ(reloaded.GetOpenExePath(), "value0");
    EXPECT_EQ(reloaded.GetExportPath(), "value1");
    EXPECT_EQ(reloaded.GetProfileExe(0), "value2");
    // A name change waits for the suite's save, for every store.
    const QString tl = ProcessHabitat().ProfileDir(1);
    const QStringList before = ListFolder(tl);
    Prefbook::SaveProfileName(TL480B, 0, "renamed");
    EXPECT_EQ(ListFolder(tl), before);
}

// Types an operation does not forward to ask no store: nothing is created under the base folder.
TEST_F(Forwarding, UnservedTypesAskNoStore) {
    for (int t : UnservedTypes()) {
        SCOPED_TRACE(t);
        const DeviceType type = Type(t);
        Prefbook::SaveProfileName(type, 0, "x");
        Prefbook::SaveOpenExeName(type, 0, "x");
        Prefbook::SaveOpenExePath(type, "x");
        Prefbook::SaveProfileExportPath(type, "x");
        EXPECT_EQ(Prefbook::ReadProfileNum(type), 0);
        EXPECT_EQ(Prefbook::ReadProfileName(type, 0), "");
        EXPECT_EQ(Prefbook::ReadOpenExeName(type, 0), "");
        EXPECT_EQ(Prefbook::ReadOpenExePath(type), "");
        EXPECT_EQ(Prefbook::ReadProfileExportPath(type), "");
        QStringList names{"kept"};
        Prefbook::ReadProfileName(type, names);
        EXPECT_EQ(names, QStringList{"kept"});
        QString path = "kept";
        EXPECT_TRUE(Prefbook::ReadDevDefaultPrefbook(type, path));
        EXPECT_EQ(path, "kept");
    }
    EXPECT_FALSE(QDir(Base() + "/profile").exists());
}

// Operations that skip some served stores: the KR720 has no name list and no default file.
TEST_F(Forwarding, PartialOperationsLeaveTheirArgumentsAlone) {
    QStringList names{"kept"};
    Prefbook::ReadProfileName(KR720, names);
    EXPECT_EQ(names, QStringList{"kept"});
    QString path = "kept";
    EXPECT_TRUE(Prefbook::ReadDevDefaultPrefbook(TL480B, path));
    EXPECT_EQ(path, "kept");
    Prefbook::ReadProfileName(TL480B, names);
    EXPECT_EQ(names.size(), 5);
}

}  // namespace
}  // namespace prefbook::test
