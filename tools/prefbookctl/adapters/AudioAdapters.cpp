#include <QFileInfo>
#include <QJsonObject>
#include <memory>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/audio/AU570Document.h"
#include "devices/audio/AU570ProfileCfgImpl.h"
#include "devices/audio/AudioProfileStore.h"
#include "profilecore/DeviceType.h"
#include "profilecore/ProfileFolder.h"

namespace prefbookctl {
namespace {

QString NewestDocument(const QString& folder) {
    const QFileInfoList files = prefbook::ListProfileFolder(folder);
    return files.isEmpty() ? QString() : files.first().fileName();
}

QString ParseFailure(const QString& model) {
    return "Parse " + model + " XML Failed. ";
}

// "3 GAMING(BASS+)" per mode, in id order.
template <class Mode>
QJsonArray ModeNames(const QMap<int, Mode>& modes) {
    QJsonArray names;
    for (const Mode& m : modes) names.append(QString::number(m.id) + " " + Utf8(m.name));
    return names;
}

// ---- AU570: one equaliser set ----

class AU570Adapter final : public StoreAdapter {
public:
    QStringList Names() const override { return {"au570"}; }
    int DeviceType() const override { return AU570; }

    StoreSummary Summary() override { return MakeSummary("AU570", Folder(), Store().LoadedFrom(), 1); }

    Table Show() override {
        Table table({{"bass", "BASS", {}},
                     {"treble", "TREBLE", {}},
                     {"currModeId", "CURRENT", {}},
                     {"eqModes", "EQ MODES", {}}});
        const AU570ProfileData& d = Store().GetProfileData();
        table.AddRow({d.bass, d.treble, d.currModeId, ModeNames(d.modes)});
        return table;
    }

    bool Save(QString* error) override {
        return RunSave(
            "AU570", [&] { return Store().SaveProfile(); }, error);
    }

    QStringList TransferKinds() const override { return {"profile"}; }
    QString TransferHelp() const override {
        return "au570                                        the equaliser set (the import keeps bass and "
               "treble)";
    }

    bool Export(const Transfer& t, QString* error) override {
        AllowOptions(t, "au570", false, false);
        return RunExport(
            "AU570", t, [&] { return Store().ExportProfile(t.path); }, error);
    }

    bool Import(const Transfer& t, QString* document, QString* error) override {
        AllowOptions(t, "au570", false, false);
        return RunImport(
            *this, "AU570", t, [&] { return Store().ImportProfile(t.path); },
            [&] { return Store().SaveProfile(); }, [&] { return NewestDocument(Folder()); }, document, error);
    }

    QVector<FolderReport> Doctor() override {
        AU570ProfileData data;
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) { return Read(path, data); };
        rules.accept = [&] { return prefbook::AU570ProfileCfgImpl::Accepts(data); };
        return {WalkProfileFolder("AU570", Folder(), rules, Summary().document)};
    }

    bool Validate(const DocumentProbe& probe, Validation* result) override {
        if (probe.root != QLatin1String("au570")) return false;
        AU570ProfileData data;
        result->model = QStringLiteral("AU570");
        result->kind = QStringLiteral("store document or export");
        result->unit = QStringLiteral("equaliser modes");
        ReadForValidation(probe, result, [&] { return Read(probe.path, data); });
        result->profiles = data.modes.size();
        result->storeAccepts = result->read && prefbook::AU570ProfileCfgImpl::Accepts(data);
        result->storeLoad =
            result->storeAccepts ? QStringLiteral("accepted") : QStringLiteral("skipped: does not read");
        if (result->read) result->import = ImportCommand("au570", QString(), probe.path);
        return true;
    }

private:
    static bool Read(const QString& path, AU570ProfileData& data) {
        data = AU570ProfileData{};
        return prefbook::ReadXmlFile(ToolHost(), path, ParseFailure("AU570"),
                                     [&](QXmlStreamReader& r) { prefbook::ReadAU570Document(r, data); });
    }

    QString Folder() { return ToolHost().ProfileDir(AU570); }

    prefbook::AU570ProfileCfgImpl& Store() { return store_.Get(); }

    LazyStore<prefbook::AU570ProfileCfgImpl> store_;
};

// ---- DS180, AU320, AU340: named profiles of which the first carries the sound ----

template <class Traits, class Impl>
class AudioAdapter final : public StoreAdapter {
public:
    using Data = prefbook::AudioStoreData<typename Traits::Profile>;

    QStringList Names() const override { return {Name()}; }
    int DeviceType() const override { return Traits::kDeviceType; }
    bool HasProfileNames() const override { return true; }

    StoreSummary Summary() override {
        return MakeSummary(Traits::kModel, Folder(), Store().LoadedFrom(), Store().GetProfileNum());
    }

    Table Show() override {
        QVector<Column> columns;
        if constexpr (Traits::kHasLighting) columns.append({"lightMode", "LIGHT", {}});
        columns += {{"eqMode", "EQ", {}},
                    {"eqModes", "EQ MODES", {}},
                    {"surroundMode", "SURROUND", {}},
                    {"surroundModes", "SURROUND MODES", {}}};
        Table table = ProfileTable(columns);
        const auto& profiles = Store().StoreData().profiles;
        for (int i = 0; i < profiles.size(); ++i) {
            const auto& p = profiles[i];
            QVector<QJsonValue> row;
            if constexpr (Traits::kHasLighting) row.append(p.lighting.currMode);
            row += {p.sound.currModeId, ModeNames(p.sound.modes), p.surround.currModeId,
                    ModeNames(p.surround.modes)};
            AddProfileRow(table, i, p, row);
        }
        return table;
    }

    bool Save(QString* error) override {
        return RunSave(
            Traits::kModel, [&] { return Store().SaveProfile(); }, error);
    }

    bool Rename(int index, const std::string& name, QString* error) override {
        return RunRename(
            Traits::kModel, [&] { Store().SetProfileName(index, Utf8(name)); },
            [&] { return Store().SaveProfile(); }, error);
    }

    QStringList TransferKinds() const override { return {"profile"}; }
    QString TransferHelp() const override {
        return Name().leftJustified(45) +
               "export: every profile; import: a file of exactly one profile (bass and treble stay)";
    }

    bool Export(const Transfer& t, QString* error) override {
        AllowOptions(t, Name(), false, false);
        return RunExport(
            Traits::kModel, t, [&] { return Store().ExportProfile(t.path); }, error);
    }

    bool Import(const Transfer& t, QString* document, QString* error) override {
        AllowOptions(t, Name(), false, false);
        return RunImport(
            *this, Traits::kModel, t, [&] { return Store().ImportProfile(t.path); },
            [&] { return Store().SaveProfile(); }, [&] { return NewestDocument(Folder()); }, document, error);
    }

    QVector<FolderReport> Doctor() override {
        Data data;
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) { return Read(path, data); };
        rules.accept = [&] { return Impl::Accepts(data); };
        rules.rejection = [] { return QStringLiteral("holds no profile"); };
        // The store keeps a readable document only when it holds a profile: what it accepts.
        rules.keeps = [&](const prefbook::LoadOutcome& outcome) {
            return outcome.keep && Impl::Accepts(data);
        };
        return {WalkProfileFolder(Traits::kModel, Folder(), rules, Summary().document)};
    }

    bool Validate(const DocumentProbe& probe, Validation* result) override {
        if (probe.root != QLatin1String(Traits::kRoot)) return false;
        Data data;
        result->model = Traits::kModel;
        result->kind = QStringLiteral("store document or export");
        ReadForValidation(probe, result, [&] { return Read(probe.path, data); });
        const int count = data.profiles.size();
        result->profiles = count;
        JudgeStoreDocument(result, Impl::Accepts(data), QStringLiteral("holds no profile"));
        if (result->read && count == 1) {
            result->import = ImportCommand(Name(), QString(), probe.path);
        } else if (result->read && count > 1) {
            result->problems << "holds " + QString::number(count) + " profiles, an import takes exactly 1";
        }
        return true;
    }

private:
    static QString Name() { return QString::fromLatin1(Traits::kRoot); }

    static bool Read(const QString& path, Data& data) {
        data = Data{};
        return prefbook::ReadXmlFile(
            ToolHost(), path, ParseFailure(Traits::kModel),
            [&](QXmlStreamReader& r) { prefbook::ReadAudioDocument<Traits>(r, data); });
    }

    QString Folder() { return ToolHost().ProfileDir(Traits::kDeviceType); }

    Impl& Store() { return store_.Get(); }

    LazyStore<Impl> store_;
};

using DS180Adapter = AudioAdapter<prefbook::DS180Traits, prefbook::DS180ProfileCfgImpl>;
using AU320Adapter = AudioAdapter<prefbook::AU320Traits, prefbook::AU320ProfileCfgImpl>;
using AU340Adapter = AudioAdapter<prefbook::AU340Traits, prefbook::AU340ProfileCfgImpl>;

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(AU570Adapter)
PREFBOOKCTL_REGISTER_ADAPTER(DS180Adapter)
PREFBOOKCTL_REGISTER_ADAPTER(AU320Adapter)
PREFBOOKCTL_REGISTER_ADAPTER(AU340Adapter)

}  // namespace prefbookctl
