#include <QFileInfo>
#include <memory>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/keyboards/TLProfileStore.h"

namespace prefbookctl {
namespace {

// The TL480 and TL460 stores: five named profiles, no export or import.
template <class Traits>
class TLAdapter final : public StoreAdapter {
public:
    using StoreType = prefbook::TLProfileStore<Traits>;

    QStringList Names() const override {
        const QString root = Model().root;
        return {root, root + "b", root + "w"};
    }
    int DeviceType() const override { return Model().deviceType; }
    bool HasProfileNames() const override { return true; }

    StoreSummary Summary() override {
        return MakeSummary(Model().name, Store().ProfileDir(), Store().LoadedFrom(), Store().GetProfileNum());
    }

    Table Show() override {
        Table table = ProfileTable({{"multiLayer", "LAYER", {}},
                                    {"multiZone", "ZONE", {}},
                                    {"foreground", "FOREGROUND", ColorsText},
                                    {"background", "BACKGROUND", ColorsText},
                                    {"macros", "MACROS", {}}});
        const prefbook::TLDocument& doc = Store().Document();
        for (int i = 0; i < doc.profiles.size(); ++i) {
            const TLProfile& p = doc.profiles[i];
            AddProfileRow(table, i, p,
                          {p.multiLayer, p.multiZone, ColorsJson(p.foreground), ColorsJson(p.background),
                           NameKeysJson(p.macros)});
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

    QVector<FolderReport> Doctor() override {
        prefbook::TLDocument doc;
        const prefbook::TLModel model = Model();
        const prefbook::StoreHost host = ToolHost();
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) {
            return prefbook::ReadTLDocumentFile(host, model, path, doc);
        };
        rules.accept = [&] { return StoreType::Accepts(doc); };
        rules.rejection = [&] { return ProfileCount(doc.profiles.size()); };
        return {WalkProfileFolder(model.name, Store().ProfileDir(), rules, Summary().document)};
    }

    bool Validate(const DocumentProbe& probe, Validation* result) override {
        const prefbook::TLModel model = Model();
        if (probe.root != model.root) return false;
        prefbook::TLDocument doc;
        result->model = model.name;
        result->kind = QStringLiteral("store document");
        ReadForValidation(probe, result,
                          [&] { return prefbook::ReadTLDocumentFile(ToolHost(), model, probe.path, doc); });
        result->profiles = doc.profiles.size();
        JudgeStoreDocument(result, StoreType::Accepts(doc), ProfileCount(doc.profiles.size()),
                           "; kept only when no other document reads");
        return true;
    }

private:
    static prefbook::TLModel Model() { return Traits::Model(); }

    static QString ProfileCount(int count) { return StoreExpects(count, prefbook::kTLProfileCount); }

    StoreType& Store() { return store_.Get(); }

    LazyStore<StoreType> store_;
};

using TL480Adapter = TLAdapter<prefbook::TL480Traits>;
using TL460Adapter = TLAdapter<prefbook::TL460Traits>;

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(TL480Adapter)
PREFBOOKCTL_REGISTER_ADAPTER(TL460Adapter)

}  // namespace prefbookctl
