#include <QFileInfo>
#include <memory>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/keyboards/BXProfileStore.h"

namespace prefbookctl {
namespace {

// The BX310V2 and BX330V2 stores: five profiles; exports and imports of one profile, of all five and
// of a profile's macros.
template <class Traits>
class BXAdapter final : public StoreAdapter {
public:
    using StoreType = prefbook::BXProfileStore<Traits>;

    QStringList Names() const override { return {Command()}; }
    int DeviceType() const override { return Model().deviceType; }
    bool HasProfileNames() const override { return true; }

    StoreSummary Summary() override {
        return MakeSummary(Model().name, Store().ProfileDir(), Store().DocumentPath(),
                           Store().Records().size());
    }

    Table Show() override {
        Table table = ProfileTable({{"lightMode", "LIGHT", {}},
                                    {"foreground", "FOREGROUND", ColorsText},
                                    {"background", "BACKGROUND", ColorsText},
                                    {"macros", "MACROS", {}}});
        const QVector<BXProfile>& records = Store().Records();
        for (int i = 0; i < records.size(); ++i) {
            const BXProfile& p = records[i];
            AddProfileRow(table, i, p,
                          {p.currMode, ColorsJson(p.foreground), ColorsJson(p.background),
                           NameKeysJson(p.macros.macros)});
        }
        return table;
    }

    bool Rename(int index, const std::string& name, QString* error) override {
        return RunRename(
            Model().name, [&] { Store().SetProfileName(static_cast<uint32_t>(index), name); },
            [&] { return Store().SaveProfile(); }, error);
    }

    bool Save(QString* error) override {
        return RunSave(
            Model().name, [&] { return Store().SaveProfile(); }, error);
    }

    QStringList TransferKinds() const override { return {"profile", "all", "macros"}; }
    QString TransferHelp() const override {
        const QString c = Command();
        return c + " --kind profile [--profile P]   profile P\n" + c +
               " --kind all                    all five profiles and the current profile\n" + c +
               " --kind macros [--profile P]    the macros of profile P\n"
               "P defaults to 0.";
    }

    bool Export(const Transfer& t, QString* error) override {
        return ExportByKind(Model().name, t, Transfers(Select(t)), error);
    }

    bool Import(const Transfer& t, QString* document, QString* error) override {
        return ImportByKind(*this, Model().name, t, Transfers(Select(t)), document, error);
    }

    QVector<FolderReport> Doctor() override {
        const prefbook::StoreHost host = ToolHost();
        const prefbook::BXModel model = Model();
        prefbook::BXDocument doc;
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) {
            doc = prefbook::BXDocument{};
            return prefbook::ReadBXFile(host, model, path, doc);
        };
        AcceptWholeUnderFlag(
            &rules, [&] { return doc.records.size() == kBXRecords; },
            [&] { return doc.head.flag == prefbook::kBXStoreFlag; },
            [&] { return RecordProblem(doc.records.size(), kBXRecords); },
            [&] { return FlagProblem(doc.head.flag); });
        return {WalkProfileFolder(model.name, Store().ProfileDir(), rules, Summary().document)};
    }

    bool Validate(const DocumentProbe& probe, Validation* result) override {
        const prefbook::BXModel model = Model();
        if (probe.root != model.root) return false;
        const uint16_t flag = probe.flagText.toUShort();  // the stores' reading: missing or bad is 0
        const prefbook::StoreHost host = ToolHost();
        result->model = model.name;

        if (flag == kMacroFileFlag) {
            ValidateMacroFile(probe, result, Command(), FlagProblem(flag), [&](int* count) {
                MacroSetLong set;
                const bool read = prefbook::LongMacros::ImportFile(host, probe.path, model.root,
                                                                   {set.path, set.currMacro, set.macros});
                *count = static_cast<int>(set.macros.size());
                return read;
            });
            return true;
        }

        prefbook::BXDocument doc;
        ReadForValidation(probe, result, [&] { return prefbook::ReadBXFile(host, model, probe.path, doc); });
        result->profiles = doc.records.size();
        if (flag == prefbook::kBXStoreFlag) {
            result->kind = QStringLiteral("store document");
            JudgeStoreDocument(result, StoreType::Accepts(doc),
                               RecordProblem(doc.records.size(), kBXRecords));
            return true;
        }
        result->storeLoad = "not accepted: " + FlagProblem(flag);
        if (flag != prefbook::kBXExportFlag) {
            result->kind = QStringLiteral("unknown");
            result->problems << "flag " + QString::number(flag) + " marks no " + QString(model.name) +
                                    " file";
            return true;
        }
        // One export flag for both exports: the record count tells them apart.
        result->kind = doc.records.size() == 1 ? QStringLiteral("profile export")
                                               : QStringLiteral("all-profiles export");
        if (!result->read) return true;
        if (doc.records.size() == 1) {
            result->import = ImportCommand(Command(), "profile", probe.path);
        } else if (doc.records.size() == kBXRecords) {
            result->import = ImportCommand(Command(), "all", probe.path);
        } else {
            result->problems << RecordProblem(doc.records.size(), kBXRecords);
        }
        return true;
    }

private:
    static prefbook::BXModel Model() { return Traits::Model(); }
    static QString Command() { return QString(Model().name).toLower(); }

    static QString FlagProblem(uint16_t flag) {
        return FlagMismatch(flag,
                            {{prefbook::kBXStoreFlag, "a store document"},
                             {prefbook::kBXExportFlag, "a profile export"},
                             {kMacroFileFlag, "a macro file"}},
                            prefbook::kBXStoreFlag);
    }
    static QString RecordProblem(int count, int expected) {
        return CountMismatch(count, expected, "profile");
    }

    // Points the store's current profile at the transfer's, after checking the options.
    StoreType& Select(const Transfer& t) {
        AllowOptions(t, Command(), t.kind != "all", false);
        const int profile = OptionIndex(t.profile, 0, kBXRecords, "--profile");
        StoreType& store = Store();
        store.SetCurrentProfileID(static_cast<uint8_t>(profile));
        return store;
    }

    static TransferTable Transfers(StoreType& store) {
        return {{Kind("profile", store, &StoreType::ExportProfile, &StoreType::ImportProfile),
                 Kind("all", store, &StoreType::ExportAllProfiles, &StoreType::ImportAllProfiles),
                 Kind("macros", store, &StoreType::ExportMacroFile, &StoreType::ImportMacroFile)},
                [&store] { return store.SaveProfile(); },
                [&store] { return DocumentName(store.DocumentPath()); }};
    }

    StoreType& Store() { return store_.Get(); }

    LazyStore<StoreType> store_;
};

using BX310V2Adapter = BXAdapter<prefbook::BX310V2Traits>;
using BX330V2Adapter = BXAdapter<prefbook::BX330V2Traits>;

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(BX310V2Adapter)
PREFBOOKCTL_REGISTER_ADAPTER(BX330V2Adapter)

}  // namespace prefbookctl
