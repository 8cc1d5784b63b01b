#include <QFileInfo>
#include <memory>
#include <type_traits>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/mice/MouseXml.h"
#include "devices/mice/PR26xProfileCfgImpl.h"
#include "profilecore/MacroModel.h"
#include "profilecore/ProfileFolder.h"

namespace prefbookctl {
namespace {

// The PR260 and PR261 stores: five profiles with DPI steps, bound and named macros; exports and
// imports of one profile, all five, and the current profile's macros.
template <class StoreImpl, class Profile>
class PR26xAdapter final : public StoreAdapter {
public:
    using Document = prefbook::PR26xDocument<Profile>;
    static constexpr bool kLit = std::is_same_v<Profile, PR261Profile>;

    QStringList Names() const override { return {Model().root}; }
    int DeviceType() const override { return Model().deviceType; }
    bool HasProfileNames() const override { return true; }

    StoreSummary Summary() override {
        return MakeSummary(Model().name, Store().ProfileDir(), Store().DocumentPath(),
                           Store().GetProfileNum());
    }

    Table Show() override {
        QVector<Column> columns{{"dpiLevel", "DPI", {}},
                                {"dpi", "DPI STEPS", {}},
                                {"bound", "BOUND", {}},
                                {"macros", "MACROS", {}},
                                {"surface", "SURFACE", {}}};
        if (kLit) columns.push_back({"lightMode", "LIGHT", {}});
        Table table = ProfileTable(columns);
        const auto& profiles = Store().Held().profiles;
        for (int i = 0; i < profiles.size(); ++i) {
            const Profile& p = profiles[i];
            std::vector<std::string> bound;
            for (const auto& item : p.buttonMacros)
                bound.push_back(std::to_string(item.first) + ":" + prefbook::RecordName(item.second));
            QVector<QJsonValue> row{p.config.dpiLevel, DpiSteps(p.config), NamesJson(bound),
                                    NameKeysJson(p.macros), Utf8(p.currSurface)};
            if constexpr (kLit) row.push_back(p.lighting.currMode);
            AddProfileRow(table, i, p, row);
        }
        return table;
    }

    bool Rename(int index, const std::string& name, QString* error) override {
        return RunRename(
            Model().name, [&] { Store().SetProfileName(index, name); }, [&] { return Store().SaveProfile(); },
            error);
    }

    QStringList TransferKinds() const override { return {"profile", "all", "macros"}; }
    QString TransferHelp() const override {
        const QString root = Model().root;
        return root + " --kind profile [--profile P]   profile P (default 0)\n" + root +
               " --kind all                     the five profiles\n" + root +
               " --kind macros [--profile P]    the named macros of profile P";
    }

    bool Export(const Transfer& t, QString* error) override {
        return ExportByKind(Model().name, t, Transfers(Select(t)), error);
    }

    bool Import(const Transfer& t, QString* document, QString* error) override {
        return ImportByKind(*this, Model().name, t, Transfers(Select(t)), document, error);
    }

    QVector<FolderReport> Doctor() override {
        const prefbook::StoreHost host = ToolHost();
        const prefbook::PR26xModel model = Model();
        Document doc;
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) {
            doc = Document{};
            return prefbook::ReadPR26xFile(host, model, path, doc);
        };
        AcceptWholeUnderFlag(
            &rules, [&] { return doc.profiles.size() == kProfiles; },
            [&] { return doc.flag == prefbook::kButtonMouseStoreFlag; },
            [&] { return StoreExpects(doc.profiles.size(), kProfiles); },
            [&] { return FlagProblem(doc.flag); });
        return {WalkProfileFolder(model.name, Store().ProfileDir(), rules, Summary().document)};
    }

    bool Validate(const DocumentProbe& probe, Validation* result) override {
        const prefbook::PR26xModel model = Model();
        if (probe.root != model.root) return false;
        const uint16_t flag = probe.flagText.toUShort();  // the stores' reading: missing or bad is 0
        const prefbook::StoreHost host = ToolHost();
        result->model = model.name;

        if (flag == prefbook::kButtonMouseMacroFileFlag) {
            ValidateMacroFile(probe, result, model.root, FlagProblem(flag), [&](int* count) {
                std::string path, currMacro;
                MouseMacroNameMap macros;
                const bool read =
                    prefbook::ReadPR26xMacroFile(host, model, probe.path, path, currMacro, macros);
                *count = static_cast<int>(macros.size());
                return read;
            });
            return true;
        }

        Document doc;
        ReadForValidation(probe, result,
                          [&] { return prefbook::ReadPR26xFile(host, model, probe.path, doc); });
        result->profiles = doc.profiles.size();
        if (flag == prefbook::kButtonMouseStoreFlag) {
            result->kind = QStringLiteral("store document");
            JudgeStoreDocument(result, doc.profiles.size() == kProfiles,
                               StoreExpects(doc.profiles.size(), kProfiles));
        } else if (flag == model.exportFlag) {
            result->kind = QStringLiteral("profile export");
            result->storeLoad =
                "not accepted: " + FlagProblem(flag) +
                (doc.profiles.size() == kProfiles ? "; kept only when no other document reads" : "");
            if (result->read && (doc.profiles.size() == 1 || doc.profiles.size() == kProfiles)) {
                result->import =
                    ImportCommand(model.root, doc.profiles.size() == 1 ? "profile" : "all", probe.path);
            } else if (result->read) {
                result->problems << "holds " + QString::number(doc.profiles.size()) +
                                        " profiles; an import takes 1 or " + QString::number(kProfiles);
            }
        } else {
            result->kind = QStringLiteral("unknown");
            result->problems << "flag " + QString::number(flag) + " marks no " + QString(model.name) +
                                    " file";
            result->storeLoad = "not accepted: " + FlagProblem(flag);
        }
        return true;
    }

private:
    static constexpr int kProfiles = prefbook::kButtonMouseProfileCount;

    static prefbook::PR26xModel Model() { return kLit ? prefbook::PR261Model() : prefbook::PR260Model(); }

    // "400x400 800x800 (1200x1200) ...", a disabled step in parentheses.
    static QString DpiSteps(const PerformanceConfig& c) {
        QStringList steps;
        for (int i = 0; i < kMouseDpiSteps; ++i) {
            const QString step = QString::number(c.dpi[i].x) + "x" + QString::number(c.dpi[i].y);
            steps << (c.dpiEnable[i] ? step : "(" + step + ")");
        }
        return steps.join(' ');
    }

    static QString FlagProblem(uint16_t flag) {
        return FlagMismatch(flag,
                            {{prefbook::kButtonMouseStoreFlag, "a store document"},
                             {Model().exportFlag, "a profile export"},
                             {prefbook::kButtonMouseMacroFileFlag, "a macro file"}},
                            prefbook::kButtonMouseStoreFlag);
    }

    // Points the store's current profile at the transfer's, after checking the options.
    StoreImpl& Select(const Transfer& t) {
        AllowOptions(t, Model().root, t.kind != "all", false);
        const int profile = OptionIndex(t.profile, 0, kProfiles, "--profile");
        Store().SetCurrentProfileID(static_cast<uint8_t>(profile));
        return Store();
    }

    // A save names a new document; the store itself keeps pointing at the one it loaded.
    QString NewestDocument() {
        const QFileInfoList files = prefbook::ListProfileFolder(Store().ProfileDir());
        return files.isEmpty() ? QStringLiteral("defaults") : files.first().fileName();
    }

    TransferTable Transfers(StoreImpl& store) {
        return {{Kind("profile", store, &StoreImpl::ExportProfile, &StoreImpl::ImportProfile),
                 Kind("all", store, &StoreImpl::ExportAllProfiles, &StoreImpl::ImportAllProfiles),
                 Kind("macros", store, &StoreImpl::ExportMacroFile, &StoreImpl::ImportMacroFile)},
                [&store] { return store.SaveProfile(); },
                [this] { return NewestDocument(); }};
    }

    StoreImpl& Store() { return store_.Get(); }

    LazyStore<StoreImpl> store_;
};

using PR260Adapter = PR26xAdapter<prefbook::PR260ProfileCfgImpl, PR260Profile>;
using PR261Adapter = PR26xAdapter<prefbook::PR261ProfileCfgImpl, PR261Profile>;

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(PR260Adapter)
PREFBOOKCTL_REGISTER_ADAPTER(PR261Adapter)

}  // namespace prefbookctl
