#include <QFileInfo>
#include <memory>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/keyboards/KR720ProfileCfgImpl.h"
#include "profilecore/DeviceType.h"
#include "profilecore/MacroModel.h"

namespace prefbookctl {
namespace {

const QString kModel = QStringLiteral("KR720");
const QLatin1String kRoot("kr720");
QString FlagProblem(uint16_t flag) {
    return FlagMismatch(flag,
                        {{prefbook::kKR720StoreFlag, "a store document"},
                         {prefbook::kKR720RecordFlag, "a record or aimpad export"},
                         {prefbook::kKR720ProfileFlag, "a profile export"},
                         {kMacroFileFlag, "a macro file"}},
                        prefbook::kKR720StoreFlag);
}

QString RecordProblem(int count, int expected) {
    return CountMismatch(count, expected, "record");
}

// The KR720 store: five profiles in five aim modes, 25 records; exports and imports of a profile, a
// record, the aimpad settings of a profile and the macros of a record.
class KR720Adapter final : public StoreAdapter {
public:
    QStringList Names() const override { return {kRoot}; }
    int DeviceType() const override { return KR720; }
    bool HasProfileNames() const override { return true; }

    StoreSummary Summary() override {
        return MakeSummary(kModel, Folder(), Store().DocumentPath(),
                           Store().Records().size() / kKR720AimModes);
    }

    Table Show() override {
        Table table({{"record", "RECORD", {}},
                     {"profile", "PROFILE", {}},
                     {"aimMode", "AIM", {}},
                     {"aimModeName", "AIM MODE", {}},
                     {"name", "NAME", {}},
                     {"exe", "EXE", {}},
                     {"lightMode", "LIGHT", {}},
                     {"macros", "MACROS", {}}});
        const QVector<KR720Profile>& records = Store().Records();
        for (int i = 0; i < records.size(); ++i) {
            const KR720Profile& p = records[i];
            table.AddRow({i, i / kKR720AimModes, i % kKR720AimModes, Utf8(p.aimpad.mode.name), Utf8(p.name),
                          Utf8(p.exe), p.lighting.currMode, NameKeysJson(p.macros.macros)});
        }
        return table;
    }

    bool Rename(int index, const std::string& name, QString* error) override {
        return RunRename(
            kModel, [&] { Store().SetProfileName(static_cast<uint32_t>(index), name); },
            [&] { return Store().SaveProfile(); }, error);
    }

    bool Save(QString* error) override {
        return RunSave(
            kModel, [&] { return Store().SaveProfile(); }, error);
    }

    QStringList TransferKinds() const override { return {"profile", "record", "aimpad", "macros"}; }
    QString TransferHelp() const override {
        return "kr720 --kind profile [--profile P]            the five aim-mode records of profile P\n"
               "kr720 --kind record [--profile P] [--aim-mode M]  record P x 5 + M\n"
               "kr720 --kind aimpad [--profile P] [--aim-mode M]  the aim-mode settings of profile P\n"
               "                                              (M: the current mode the export records)\n"
               "kr720 --kind macros [--profile P] [--aim-mode M]  the macros of record P x 5 + M\n"
               "P and M default to 0.";
    }

    bool Export(const Transfer& t, QString* error) override {
        return ExportByKind(kModel, t, Transfers(Select(t, true)), error);
    }

    bool Import(const Transfer& t, QString* document, QString* error) override {
        return ImportByKind(*this, kModel, t, Transfers(Select(t, false)), document, error);
    }

    QVector<FolderReport> Doctor() override {
        const prefbook::StoreHost host = ToolHost();
        prefbook::KR720Document doc;
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) {
            doc = prefbook::KR720Document{};
            return prefbook::ReadKR720File(host, path, doc);
        };
        AcceptWholeUnderFlag(
            &rules, [&] { return doc.records.size() == kKR720Records; },
            [&] { return doc.head.flag == prefbook::kKR720StoreFlag; },
            [&] { return RecordProblem(doc.records.size(), kKR720Records); },
            [&] { return FlagProblem(doc.head.flag); });
        rules.accept = [&] { return prefbook::KR720ProfileCfgImpl::Accepts(doc); };  // the store's own rule
        return {WalkProfileFolder(kModel, Folder(), rules, Summary().document)};
    }

    bool Validate(const DocumentProbe& probe, Validation* result) override {
        if (probe.root != kRoot) return false;
        const uint16_t flag = probe.flagText.toUShort();  // the stores' reading: missing or bad is 0
        const prefbook::StoreHost host = ToolHost();
        result->model = kModel;

        if (flag == kMacroFileFlag) {
            ValidateMacroFile(probe, result, kRoot, FlagProblem(flag), [&](int* count) {
                MacroSet set;
                const bool read = prefbook::ShortMacros::ImportFile(host, probe.path, kRoot,
                                                                    {set.path, set.currMacro, set.macros});
                *count = static_cast<int>(set.macros.size());
                return read;
            });
            return true;
        }
        if (flag == prefbook::kKR720RecordFlag && probe.firstChild == QLatin1String("aimpad")) {
            prefbook::AimpadFile file;
            result->kind = QStringLiteral("aimpad file");
            result->unit = QStringLiteral("aim modes");
            ReadForValidation(probe, result,
                              [&] { return prefbook::ReadAimpadFile(host, probe.path, file); });
            result->profiles = file.modes.size();
            NotAStoreDocument(flag, result);
            if (result->read) result->import = ImportCommand(kRoot, "aimpad", probe.path);
            return true;
        }

        prefbook::KR720Document doc;
        result->unit = QStringLiteral("records");
        ReadForValidation(probe, result, [&] { return prefbook::ReadKR720File(host, probe.path, doc); });
        result->profiles = doc.records.size();
        switch (flag) {
            case prefbook::kKR720StoreFlag:
                result->kind = QStringLiteral("store document");
                JudgeStoreDocument(result, prefbook::KR720ProfileCfgImpl::Accepts(doc),
                                   RecordProblem(doc.records.size(), kKR720Records));
                break;
            case prefbook::kKR720RecordFlag:
                result->kind = QStringLiteral("record export");
                TakenBy(doc, 1, "record", probe.path, result);
                break;
            case prefbook::kKR720ProfileFlag:
                result->kind = QStringLiteral("profile export");
                TakenBy(doc, kKR720AimModes, "profile", probe.path, result);
                break;
            default:
                result->kind = QStringLiteral("unknown");
                result->problems << "flag " + QString::number(flag) + " marks no KR720 file";
                NotAStoreDocument(flag, result);
                break;
        }
        return true;
    }

private:
    static void NotAStoreDocument(uint16_t flag, Validation* result) {
        result->storeLoad = "not accepted: " + FlagProblem(flag);
    }

    // An export is taken by its import when it holds that import's number of records.
    void TakenBy(const prefbook::KR720Document& doc, int records, const QString& kind, const QString& path,
                 Validation* result) {
        NotAStoreDocument(doc.head.flag, result);
        if (!result->read) return;
        if (doc.records.size() == records) {
            result->import = ImportCommand(kRoot, kind, path);
        } else {
            result->problems << RecordProblem(doc.records.size(), records);
        }
    }

    // Points the store's current profile and aim mode at the transfer's, after checking the options.
    prefbook::KR720ProfileCfgImpl& Select(const Transfer& t, bool exporting) {
        const bool takesAimMode = t.kind != "profile" && (exporting || t.kind != "aimpad");
        AllowOptions(t, kRoot, true, takesAimMode);
        const int profile = OptionIndex(t.profile, 0, kKR720Profiles, "--profile");
        const int aimMode = OptionIndex(t.aimMode, 0, kKR720AimModes, "--aim-mode");
        prefbook::KR720ProfileCfgImpl& store = Store();
        store.SetCurrProfile(static_cast<uint8_t>(profile));
        store.SetCurrAimMode(static_cast<uint8_t>(aimMode));
        return store;
    }

    static TransferTable Transfers(prefbook::KR720ProfileCfgImpl& store) {
        using Store = prefbook::KR720ProfileCfgImpl;
        return {{Kind("profile", store, &Store::ExportProfile, &Store::ImportProfile),
                 Kind("record", store, &Store::ExportRecord, &Store::ImportRecord),
                 Kind("aimpad", store, &Store::ExportAimpadFile, &Store::ImportAimpadFile),
                 Kind("macros", store, &Store::ExportMacroFile, &Store::ImportMacroFile)},
                [&store] { return store.SaveProfile(); },
                [&store] { return DocumentName(store.DocumentPath()); }};
    }

    QString Folder() { return ToolHost().ProfileDir(KR720); }

    prefbook::KR720ProfileCfgImpl& Store() { return store_.Get(); }

    LazyStore<prefbook::KR720ProfileCfgImpl> store_;
};

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(KR720Adapter)

}  // namespace prefbookctl
