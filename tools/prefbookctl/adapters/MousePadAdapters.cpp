#include <QFileInfo>
#include <QJsonObject>
#include <memory>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/mousepads/FT280Document.h"
#include "devices/mousepads/FT280ProfileCfgImpl.h"
#include "devices/mousepads/FT610Document.h"
#include "devices/mousepads/FT610ProfileCfgImpl.h"
#include "profilecore/ProfileFolder.h"
#include "settings/DeviceType.h"

namespace prefbookctl {
namespace {

QString Hex(const uint8_t* bytes, size_t count) {
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(bytes), static_cast<int>(count)).toHex());
}

// ---- FT610: one opaque 150-byte record in ".bin" documents ----

class FT610Adapter final : public StoreAdapter {
public:
    QStringList Names() const override { return {"ft610"}; }
    int DeviceType() const override { return FT610; }

    StoreSummary Summary() override { return MakeSummary("FT610", Folder(), Store().LoadedFrom(), 1); }

    Table Show() override {
        Table table({{"headerA", "HEADER A", {}},
                     {"headerB", "HEADER B", {}},
                     {"entries", "ENTRIES", {}},
                     {"tail", "TAIL", {}}});
        const FT610Record& r = *Store().GetRecord();
        QJsonArray entries;
        for (const auto& entry : r.entries) entries.append(Hex(entry, kFT610EntrySize));
        table.AddRow({double(r.headerA), double(r.headerB), entries, Hex(r.tail, kFT610TailSize)});
        return table;
    }

    bool Save(QString* error) override {
        return RunSave(
            "FT610", [&] { return Store().SaveProfile(); }, error);
    }

    QVector<FolderReport> Doctor() override {
        FT610Record record{};
        LoadRules rules;
        rules.suffix = QStringLiteral("bin");
        rules.read = [&](const QString& path, QStringList& notes) {
            const QString size = SizeNote(QFileInfo(path).size());
            if (!size.isEmpty()) notes << size;
            return prefbook::ReadFT610Document(path, record);
        };
        rules.accept = [&] { return prefbook::FT610ProfileCfgImpl::Accepts(record); };
        return {WalkProfileFolder("FT610", Folder(), rules, Summary().document)};
    }

    // Not XML: a ".bin" file without a root element is taken for an FT610 record.
    bool Validate(const DocumentProbe& probe, Validation* result) override {
        if (!probe.root.isEmpty() || probe.suffix != QLatin1String("bin")) return false;
        FT610Record record{};
        result->model = QStringLiteral("FT610");
        // The record has no signature: any ".bin" that is not XML reads as one, so its size is all
        // that speaks for it.
        result->kind =
            "store document (binary record, known by its \".bin\" name only: " + QString::number(probe.size) +
            " bytes, a record is " + QString::number(kFT610RecordSize) + ")";
        result->unit = QStringLiteral("records");
        TakeLog();
        result->read = prefbook::ReadFT610Document(probe.path, record);
        result->profiles = result->read ? 1 : 0;
        result->storeAccepts = result->read && prefbook::FT610ProfileCfgImpl::Accepts(record);
        result->storeLoad =
            result->storeAccepts ? QStringLiteral("accepted") : QStringLiteral("skipped: cannot be opened");
        const QString size = SizeNote(probe.size);
        if (!size.isEmpty()) result->problems << size;
        return true;
    }

private:
    // The store takes any ".bin" that opens; a size other than the record's is worth saying.
    static QString SizeNote(qint64 size) {
        if (size == static_cast<qint64>(kFT610RecordSize)) return {};
        return "holds " + QString::number(size) + " bytes, a record is " + QString::number(kFT610RecordSize) +
               (size < static_cast<qint64>(kFT610RecordSize) ? " (the rest reads as zero)"
                                                             : " (the bytes after it are ignored)");
    }

    QString Folder() { return ToolHost().ProfileDir(FT610); }

    prefbook::FT610ProfileCfgImpl& Store() { return store_.Get(); }

    LazyStore<prefbook::FT610ProfileCfgImpl> store_;
};

// ---- FT280: one store, three sizes, one profile and one folder each ----

QString ModesText(const QJsonValue& value) {
    QStringList parts;
    for (const QJsonValue& element : value.toArray()) {
        const QJsonObject m = element.toObject();
        parts << QString::number(m["id"].toInt()) + ":" + QString::number(m["speed"].toInt()) + ":" +
                     ColorCell(m["red"].toInt(), m["green"].toInt(), m["blue"].toInt());
    }
    return parts.join(' ');
}

QString FT280ProfileCount(int count) {
    return "holds " + QString::number(count) + " profiles, 1 expected";
}

template <int Type>
class FT280Adapter final : public StoreAdapter {
public:
    QStringList Names() const override { return {Name()}; }
    int DeviceType() const override { return Type; }

    StoreSummary Summary() override {
        return MakeSummary(DeviceTypeName(Type), Folder(), FT280Store().LoadedFrom(Type),
                           FT280Store().ProfileList(Type).size());
    }

    Table Show() override {
        Table table({{"index", "INDEX", {}},
                     {"currMode", "MODE", {}},
                     {"modes", "MODES (id:speed:colour)", ModesText},
                     {"foreground", "FOREGROUND", ColorsText}});
        const QVector<FT280Profile> profiles = FT280Store().ProfileList(Type);
        for (int i = 0; i < profiles.size(); ++i) {
            QJsonArray modes;
            for (const ModeSetting& m : profiles[i].modes)
                modes.append(QJsonObject{
                    {"id", m.id}, {"speed", m.speed}, {"red", m.red}, {"green", m.green}, {"blue", m.blue}});
            table.AddRow({i, profiles[i].currMode, modes, ColorsJson(profiles[i].foreground)});
        }
        return table;
    }

    QStringList TransferKinds() const override { return {"profile"}; }
    QString TransferHelp() const override {
        return Name() + "                                        the profile of this size";
    }

    bool Export(const Transfer& t, QString* error) override {
        AllowOptions(t, Name(), false, false);
        return RunExport(
            DeviceTypeName(Type), t, [&] { return FT280Store().ExportProfile(Type, t.path); }, error);
    }

    bool Import(const Transfer& t, QString* document, QString* error) override {
        AllowOptions(t, Name(), false, false);
        return RunImport(
            *this, DeviceTypeName(Type), t, [&] { return FT280Store().ImportProfile(Type, t.path); },
            [&] { return FT280Store().SaveProfile(Type); }, [&] { return NewestDocument(); }, document,
            error);
    }

    bool Save(QString* error) override {
        return RunSave(
            DeviceTypeName(Type), [&] { return FT280Store().SaveProfile(Type); }, error);
    }

    QVector<FolderReport> Doctor() override {
        const prefbook::StoreHost host = ToolHost();
        QVector<FT280Profile> profiles;
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) {
            return prefbook::ReadFT280File(host, path, profiles);
        };
        rules.accept = [&] { return prefbook::FT280ProfileCfgImpl::Accepts(profiles); };
        rules.rejection = [&] { return FT280ProfileCount(profiles.size()); };
        // A readable document without a profile gives the default profile as well.
        rules.keeps = [&](const prefbook::LoadOutcome& outcome) {
            return outcome.keep && !profiles.isEmpty();
        };
        return {WalkProfileFolder(DeviceTypeName(Type), Folder(), rules, Summary().document)};
    }

    // The three sizes share the document form; the first size's adapter answers for all.
    bool Validate(const DocumentProbe& probe, Validation* result) override {
        if (probe.root != QLatin1String("ft280")) return false;
        QVector<FT280Profile> profiles;
        result->model = QStringLiteral("FT280");
        result->kind = QStringLiteral("store document or profile export");
        ReadForValidation(probe, result,
                          [&] { return prefbook::ReadFT280File(ToolHost(), probe.path, profiles); });
        result->profiles = profiles.size();
        JudgeStoreDocument(result, prefbook::FT280ProfileCfgImpl::Accepts(profiles),
                           FT280ProfileCount(profiles.size()));
        if (result->storeAccepts)
            result->import = ImportCommand("ft280m", QString(), probe.path) + " (or ft280l, ft280xl)";
        return true;
    }

private:
    static QString Name() { return QString::fromLatin1(DeviceTypeName(Type)).toLower(); }
    QString Folder() { return ToolHost().ProfileDir(Type); }
    QString NewestDocument() {
        const QFileInfoList files = prefbook::ListProfileFolder(Folder());
        return files.isEmpty() ? QString() : files.first().fileName();
    }

    // Each size's adapter has a store of its own, so that a fresh adapter loads afresh.
    prefbook::FT280ProfileCfgImpl& FT280Store() { return store_.Get(); }

    LazyStore<prefbook::FT280ProfileCfgImpl> store_;
};

using FT280MAdapter = FT280Adapter<FT280M>;
using FT280LAdapter = FT280Adapter<FT280L>;
using FT280XLAdapter = FT280Adapter<FT280XL>;

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(FT610Adapter)
PREFBOOKCTL_REGISTER_ADAPTER(FT280MAdapter)
PREFBOOKCTL_REGISTER_ADAPTER(FT280LAdapter)
PREFBOOKCTL_REGISTER_ADAPTER(FT280XLAdapter)

}  // namespace prefbookctl
