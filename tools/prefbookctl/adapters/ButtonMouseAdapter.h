#pragma once

#include <QFileInfo>
#include <type_traits>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/mice/MouseXml.h"
#include "devices/mice/PR26xProfileCfgImpl.h"
#include "devices/mice/PR941ProfileCfgImpl.h"
#include "profilecore/MacroModel.h"
#include "profilecore/ProfileFolder.h"

namespace prefbookctl {

// The button mouse stores (PR260, PR261, PR941): five profiles with DPI steps, bound and named
// macros; exports and imports of one profile, all five, and the current profile's macros.
template <class StoreImpl, class Profile>
class ButtonMouseAdapter final : public StoreAdapter {
public:
    using Document = prefbook::PR26xDocument<Profile>;
    static constexpr bool k941 = std::is_same_v<Profile, PR941Profile>;
    static constexpr bool kLit = k941 || std::is_same_v<Profile, PR261Profile>;

    QStringList Names() const override { return {Command()}; }
    int DeviceType() const override { return Model().deviceType; }
    bool HasProfileNames() const override { return true; }

    StoreSummary Summary() override {
        return MakeSummary(Model().name, Store().ProfileDir(), Store().DocumentPath(),
                           Store().GetProfileNum());
    }

    Table Show() override {
        QVector<Column> columns{{"index", "INDEX", {}}, {"id", "ID", {}},         {"name", "NAME", {}},
                                {"exe", "EXE", {}},     {"dpiLevel", "DPI", {}},  {"dpi", "DPI STEPS", {}},
                                {"bound", "BOUND", {}}, {"macros", "MACROS", {}}, {"surface", "SURFACE", {}}};
        if (kLit) columns.push_back({"lightMode", "LIGHT", {}});
        Table table(columns);
        const auto& profiles = Store().Held().profiles;
        for (int i = 0; i < profiles.size(); ++i) {
            const Profile& p = profiles[i];
            std::vector<std::string> bound;
            for (const auto& item : p.buttonMacros)
                bound.push_back(std::to_string(item.first) + ":" + prefbook::RecordName(item.second));
            std::vector<std::string> macros;
            for (const auto& item : p.macros) macros.push_back(item.first);
            QVector<QJsonValue> row{i,
                                    p.id,
                                    Utf8(p.name),
                                    Utf8(p.exe),
                                    p.config.dpiLevel,
                                    DpiSteps(p.config),
                                    NamesJson(bound),
                                    NamesJson(macros),
                                    Utf8(p.currSurface)};
            if constexpr (kLit) row.push_back(p.lighting.currMode);
            table.AddRow(row);
        }
        return table;
    }

    bool Rename(int index, const std::string& name, QString* error) override {
        return RunRename(
            Model().name, [&] { Store().SetProfileName(index, name); }, [&] { return Store().SaveProfile(); },
            error);
    }

    bool Save(QString* error) override {
        return RunSave(
            Model().name, [&] { return Store().SaveProfile(); }, error);
    }

    QStringList TransferKinds() const override { return {"profile", "all", "macros"}; }
    QString TransferHelp() const override {
        const QString root = Command();
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
            ValidateMacroFile(probe, result, Command(), FlagProblem(flag), [&](int* count) {
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
            JudgeStoreDocument(result, StoreImpl::Accepts(doc), StoreExpects(doc.profiles.size(), kProfiles));
            // The PR941 exports and imports all profiles as a store document.
            if (k941 && result->storeAccepts) result->import = ImportCommand(Command(), "all", probe.path);
        } else if (flag == model.exportFlag) {
            result->kind = QStringLiteral("profile export");
            result->storeLoad =
                "not accepted: " + FlagProblem(flag) +
                (doc.profiles.size() == kProfiles ? "; kept only when no other document reads" : "");
            const int allCount = k941 ? 1 : kProfiles;  // the PR941's export flag marks one profile only
            if (result->read && (doc.profiles.size() == 1 || doc.profiles.size() == allCount)) {
                const QString problem = ImportProblem(doc);
                if (problem.isEmpty())
                    result->import =
                        ImportCommand(Command(), doc.profiles.size() == 1 ? "profile" : "all", probe.path);
                else
                    result->problems << problem;
            } else if (result->read) {
                result->problems << "holds " + QString::number(doc.profiles.size()) +
                                        " profiles; an import takes " +
                                        (k941 ? QString("1") : "1 or " + QString::number(kProfiles));
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

    // The tool's name for the store: the document root in lower case.
    static QString Command() { return QString(Model().root).toLower(); }

    static prefbook::PR26xModel Model() {
        return k941 ? prefbook::PR941Model() : kLit ? prefbook::PR261Model() : prefbook::PR260Model();
    }

    // A one-profile PR941 import needs every lighting mode; empty when the store would take the file.
    static QString ImportProblem(const Document& doc) {
        if constexpr (k941) {
            const size_t modes = doc.profiles.front().lighting.modes.size();
            if (doc.profiles.size() == 1 && modes != kPR941ImportModes)
                return "holds " + QString::number(modes) + " lighting modes; a profile import needs " +
                       QString::number(kPR941ImportModes);
        }
        return {};
    }

    static QString Step(DpiStep s) { return QString::number(s.x) + "x" + QString::number(s.y); }
    static QString Step(uint16_t x) { return QString::number(x); }
    // "400x400 800x800 (1200x1200) ..." or "400 1200 (4000) ...", a disabled step in parentheses.
    template <class Config>
    static QString DpiSteps(const Config& c) {
        QStringList steps;
        for (size_t i = 0; i < std::extent_v<decltype(Config::dpi)>; ++i) {
            const QString step = Step(c.dpi[i]);
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
        AllowOptions(t, Command(), t.kind != "all", false);
        const int profile = OptionIndex(t.profile, 0, kProfiles, "--profile");
        Store().SetCurrentProfileID(static_cast<uint8_t>(profile));
        return Store();
    }

    static TransferTable Transfers(StoreImpl& store) {
        return {{Kind("profile", store, &StoreImpl::ExportProfile, &StoreImpl::ImportProfile),
                 Kind("all", store, &StoreImpl::ExportAllProfiles, &StoreImpl::ImportAllProfiles),
                 Kind("macros", store, &StoreImpl::ExportMacroFile, &StoreImpl::ImportMacroFile)},
                [&store] { return store.SaveProfile(); },
                [&store] { return NewestDocument(store); }};
    }

    // A save names a new document; the store itself keeps pointing at the one it loaded.
    static QString NewestDocument(StoreImpl& store) {
        const QFileInfoList files = prefbook::ListProfileFolder(store.ProfileDir());
        return files.isEmpty() ? QStringLiteral("defaults") : files.first().fileName();
    }

    StoreImpl& Store() { return store_.Get(); }

    LazyStore<StoreImpl> store_;
};

}  // namespace prefbookctl
