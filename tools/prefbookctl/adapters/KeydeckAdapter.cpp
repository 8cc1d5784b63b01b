#include <QJsonArray>
#include <memory>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/keypad/KeydeckProfileCfgImpl.h"
#include "settings/DeviceType.h"

namespace prefbookctl {
namespace {

QString FlagProblem(uint16_t flag) {
    return FlagMismatch(flag,
                        {{prefbook::kKeydeckStoreFlag, "a variant document or all-profiles export"},
                         {prefbook::kKeydeckExportFlag, "a profile export"},
                         {kMacroFileFlag, "a macro file"}},
                        prefbook::kKeydeckStoreFlag);
}

QString CountProblem(int count, int expected) {
    return CountMismatch(count, expected, "profile");
}

// "key:id" for every entry of a key-assignment map, the id being the macro id it holds.
template <class Map>
QJsonArray KeysJson(const Map& keys) {
    QJsonArray out;
    for (auto item : keys) {
        out.append(QString::number(item.first) + ":" + QString::number(prefbook::MacroIdOf(item.second)));
    }
    return out;
}

// One keypad variant; the two adapters share this class and differ in their device type. Each builds
// its own store, which loads both variants as the library does.
class KeydeckAdapter : public StoreAdapter {
public:
    explicit KeydeckAdapter(int type)
        : type_(type),
          model_(QString::fromLatin1(DeviceTypeName(type))),
          root_(prefbook::KeydeckRootName(type)) {}

    QStringList Names() const override { return {model_.toLower()}; }
    int DeviceType() const override { return type_; }
    bool HasProfileNames() const override { return true; }

    StoreSummary Summary() override {
        const prefbook::KeydeckVariant& v = *Store().Variant(type_);
        return MakeSummary(model_, Folder(), v.documentPath, v.profiles.size());
    }

    Table Show() override {
        Table table = ProfileTable({{"lightMode", "LIGHT", {}},
                                    {"simpleKeys", "SIMPLE", {}},
                                    {"advancedKeys", "ADVANCED", {}},
                                    {"shortcutKeys", "SHORTCUT", {}},
                                    {"specialKeys", "SPECIAL", {}},
                                    {"macros", "MACROS", {}},
                                    {"freeMacroIds", "FREE IDS", {}}},
                                   QStringLiteral("profile"));
        const QVector<KeydeckProfile>& profiles = Store().Variant(type_)->profiles;
        for (int i = 0; i < profiles.size(); ++i) {
            const KeydeckProfile& p = profiles[i];
            // A stored profile's pool is full until the suite claims the ids in use: show it claimed.
            KeydeckProfile claimed = p;
            prefbook::ClaimUsedMacroIdsOf(claimed);
            QJsonArray free;
            for (uint8_t id : claimed.freeMacroIds) free.append(id);
            AddProfileRow(table, i, p,
                          {p.lighting.currMode, KeysJson(p.mapping.simpleKeys),
                           KeysJson(p.mapping.advancedKeys), KeysJson(p.mapping.shortcutKeys),
                           KeysJson(p.mapping.specialKeys), NameKeysJson(p.macros.macros), free});
        }
        return table;
    }

    bool Rename(int index, const std::string& name, QString* error) override {
        return RunRename(
            model_, [&] { Store().SetProfileName(type_, index, name); },
            [&] { return Store().SaveProfile(type_); }, error);
    }

    bool Save(QString* error) override {
        return RunSave(
            model_, [&] { return Store().SaveProfile(type_); }, error);
    }

    QStringList TransferKinds() const override { return {"profile", "all", "macros"}; }
    QString TransferHelp() const override {
        const QString n = model_.toLower();
        return n + " --kind profile [--profile P]   profile P (import: into the slot its id names)\n" + n +
               " --kind all                    all 24 profiles\n" + n +
               " --kind macros [--profile P]   the macros of profile P\n"
               "P defaults to the current profile.";
    }

    bool Export(const Transfer& t, QString* error) override {
        return ExportByKind(model_, t, Transfers(Select(t, false)), error);
    }

    bool Import(const Transfer& t, QString* document, QString* error) override {
        return ImportByKind(*this, model_, t, Transfers(Select(t, true)), document, error);
    }

    QVector<FolderReport> Doctor() override {
        const prefbook::StoreHost host = ToolHost();
        prefbook::KeydeckDocument doc;
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) {
            doc = prefbook::KeydeckDocument{};
            doc.appPaths = QStringList{QString(), QString(), QString()};
            return prefbook::ReadKeydeckFile(host, path, doc);
        };
        AcceptWholeUnderFlag(
            &rules, [&] { return doc.profiles.size() == kKeydeckProfileCount; },
            [&] { return doc.flag == prefbook::kKeydeckStoreFlag; },
            [&] { return CountProblem(doc.profiles.size(), kKeydeckProfileCount); },
            [&] { return FlagProblem(doc.flag); });
        return {WalkProfileFolder(model_, Folder(), rules, Summary().document)};
    }

    // Claims documents of this variant's root; the store itself reads either variant's.
    bool Validate(const DocumentProbe& probe, Validation* result) override {
        if (probe.root != root_) return false;
        const uint16_t flag = probe.flagText.toUShort();
        const prefbook::StoreHost host = ToolHost();
        result->model = model_;
        if (flag == kMacroFileFlag) {
            ValidateMacroFile(probe, result, Names().front(), FlagProblem(flag), [&](int* count) {
                KeydeckMacroSet set;
                const bool read = prefbook::KeydeckMacros::ImportFile(host, probe.path, root_,
                                                                      {set.path, set.currMacro, set.macros});
                *count = static_cast<int>(set.macros.size());
                return read;
            });
            return true;
        }
        prefbook::KeydeckDocument doc;
        doc.appPaths = QStringList{QString(), QString(), QString()};
        ReadForValidation(probe, result, [&] { return prefbook::ReadKeydeckFile(host, probe.path, doc); });
        result->profiles = doc.profiles.size();
        if (flag == prefbook::kKeydeckStoreFlag) {
            result->kind = QStringLiteral("variant document");
            JudgeStoreDocument(result, prefbook::KeydeckProfileCfgImpl::Accepts(doc),
                               CountProblem(doc.profiles.size(), kKeydeckProfileCount));
            if (result->storeAccepts) result->import = ImportCommand(Names().front(), "all", probe.path);
        } else if (flag == prefbook::kKeydeckExportFlag) {
            result->kind = QStringLiteral("profile export");
            result->storeLoad = "not accepted: " + FlagProblem(flag);
            if (result->read && doc.profiles.size() == 1) {
                result->import = ImportCommand(Names().front(), "profile", probe.path);
            } else if (result->read) {
                result->problems << CountProblem(doc.profiles.size(), 1);
            }
        } else {
            result->kind = QStringLiteral("unknown");
            result->problems << "flag " + QString::number(flag) + " marks no keypad file";
            result->storeLoad = "not accepted: " + FlagProblem(flag);
        }
        return true;
    }

private:
    // Makes the transfer's profile the current one, after checking the options. A profile import
    // goes to the slot the file's id names, so --profile there would be dropped: it is refused.
    prefbook::KeydeckProfileCfgImpl& Select(const Transfer& t, bool importing) {
        AllowOptions(t, importing ? "import " + Names().front() : Names().front(),
                     t.kind == "macros" || (t.kind == "profile" && !importing), false);
        prefbook::KeydeckProfileCfgImpl& store = Store();
        if (t.kind != "all") {
            const int current = store.GetCurrentProfileId(type_);
            const int fallback = current >= 0 && current < kKeydeckProfileCount ? current : 0;
            store.SetCurrentProfileId(type_,
                                      OptionIndex(t.profile, fallback, kKeydeckProfileCount, "--profile"));
        }
        return store;
    }

    // The store's operations take the variant as well as the file.
    TransferTable Transfers(prefbook::KeydeckProfileCfgImpl& store) const {
        using Store = prefbook::KeydeckProfileCfgImpl;
        auto* s = &store;
        const int type = type_;
        const auto kind = [s, type](const char* name, bool (Store::*exportFile)(int, const QString&),
                                    bool (Store::*importFile)(int, const QString&)) {
            return KindOperations{name, [=](const QString& path) { return (s->*exportFile)(type, path); },
                                  [=](const QString& path) { return (s->*importFile)(type, path); }};
        };
        return {{kind("profile", &Store::ExportProfile, &Store::ImportProfile),
                 kind("all", &Store::ExportAllProfiles, &Store::ImportAllProfiles),
                 kind("macros", &Store::ExportMacroFile, &Store::ImportMacroFile)},
                [s, type] { return s->SaveProfile(type); },
                [s, type] { return DocumentName(s->Variant(type)->documentPath); }};
    }

    QString Folder() { return ToolHost().ProfileDir(type_); }

    prefbook::KeydeckProfileCfgImpl& Store() { return store_.Get(); }

    int type_;
    QString model_;
    QLatin1String root_;
    LazyStore<prefbook::KeydeckProfileCfgImpl> store_;
};

class KeydeckGAdapter final : public KeydeckAdapter {
public:
    KeydeckGAdapter() : KeydeckAdapter(KEYDECK_G) {}
};

class KeydeckCAdapter final : public KeydeckAdapter {
public:
    KeydeckCAdapter() : KeydeckAdapter(KEYDECK_C) {}
};

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(KeydeckGAdapter)
PREFBOOKCTL_REGISTER_ADAPTER(KeydeckCAdapter)

}  // namespace prefbookctl
