// backup and restore-backup: a whole base folder in one file, and a checked way back.

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>

#include "BackupArchive.h"
#include "BackupArtwork.h"
#include "CommandKit.h"
#include "SystemReason.h"
#include "ToolHost.h"
#include "devices/textlight/VL550ProfileCfgImpl.h"
#include "hostservices/IHabitat.h"
#include "profilecore/RegularFile.h"
#include "settings/DeviceType.h"
#include "settings/SettingsFiles.h"

namespace prefbookctl {

namespace {

const char* const kBackupHelp =
    "Writes FILE, a gzip-compressed tar, holding for every store the documents its load uses (the\n"
    "current one and the previous one where the store accepts it; the VL550's default.bin; the\n"
    "FT610's record), the PR940 artwork images those documents refer to, the three settings files,\n"
    "and manifest.json: format version, tool and library version, date, and for each entry its\n"
    "store, kind, size and SHA-256. Nothing in the base folder changes. An existing FILE is\n"
    "replaced only with --force; FILE appears whole or not at all.";

const char* const kRestoreBackupHelp =
    "Restores a backup (any archive libarchive reads) into the base folder, every store of it or\n"
    "only the MODELs given (\"settings\" names the settings files). First everything is checked, and\n"
    "the backup is refused, with the reason and nothing written, for: an entry with an absolute path\n"
    "or '..', a link, device or FIFO, a name met twice, an entry beyond 16 MiB or a total beyond\n"
    "256 MiB, a manifest that does not match the entries (size, SHA-256, names), a document its\n"
    "store's load does not accept, a settings file that does not parse, or a store whose folder\n"
    "holds documents it cannot load (unless --force). Then, store by store, the backed-up current\n"
    "document is saved through the store: it becomes the newest document and the one it replaces\n"
    "stays as the previous one, so 'restore MODEL' undoes it. PR940 artworks are written to this\n"
    "machine's artwork folders by that save; settings files are replaced atomically.\n"
    "With --dry-run nothing is written: every store prints the fields that would change, as diff.";

constexpr int kFormat = 1;
const QString kManifest = QStringLiteral("manifest.json");
const QString kSettingsStore = QStringLiteral("settings");
const QString kCurrent = QStringLiteral("current"), kPrevious = QStringLiteral("previous");
const QString kArtwork = QStringLiteral("artwork"), kSettingsFile = QStringLiteral("settings file");
const char* const kSettingsFiles[] = {prefbook::kParamFile, prefbook::kParamChgFile, prefbook::kResetFile};

QString Sha256(const QByteArray& data) {
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}

// One entry of the manifest: the file in the archive and what it is.
struct Item {
    QString name;    // inside the archive
    QString store;   // the store's command name ("tl480"), or "settings"
    QString kind;    // current, previous, artwork, settings file
    QString source;  // an artwork's image path as its document names it; a settings file's relative path
    qint64 size = 0;
    QString sha256;
    QByteArray data;

    QJsonObject ToJson() const {
        QJsonObject o{{"name", name}, {"store", store}, {"kind", kind}, {"size", size}, {"sha256", sha256}};
        if (!source.isEmpty()) o.insert("source", source);
        return o;
    }
};

// Reads a regular file only: a FIFO or device in a folder must not make the backup wait.
QByteArray ReadRegularFile(const QString& path) {
    QFile file;
    const QString why = prefbook::OpenRegularFile(file, path);
    if (!why.isEmpty()) throw RunError{"cannot read " + path + ": " + why};
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RunError{"cannot read " + path + ": " + file.errorString()};
    return data;
}

// --- backup ---

// The documents of a store's folder that its load uses: the one it loads, and the next older one
// when the store accepts it (what restore would bring back). The VL550 keeps one document. A
// restore takes only documents the store accepts, so one it merely keeps is left out, and said.
QVector<QPair<QString, QFileInfo>> DocumentsInUse(StoreAdapter& adapter, QStringList* leftOut) {
    // A folder that cannot be listed would go missing from the backup without a word.
    RefuseUnreadable(adapter.Summary().profileDir, "backup");
    QVector<QPair<QString, QFileInfo>> documents;
    for (const FolderReport& report : adapter.Doctor()) {
        bool loadedSeen = false;
        for (const FileReport& file : report.files) {
            const QFileInfo info(QDir(report.folder).filePath(file.file));
            if (!loadedSeen) {
                if (file.verdict == QLatin1String("kept"))
                    *leftOut << report.model + ": " + info.absoluteFilePath() + " left out: " + file.reason;
                if (file.verdict != QLatin1String("loaded")) continue;
                documents.append({kCurrent, info});
                loadedSeen = true;
                if (adapter.DeviceType() == VL550) break;
                continue;
            }
            if (!IsDocument(info)) continue;
            try {
                LoadAlone(adapter, info);
                documents.append({kPrevious, info});
            } catch (const RunError& e) {
                // a previous document the store refuses would make the whole backup unrestorable
                *leftOut << report.model + ": " + info.absoluteFilePath() + " left out: " + e.message;
            }
            break;
        }
    }
    return documents;
}

Item MakeItem(const QString& name, const QString& store, const QString& kind, const QByteArray& data,
              const QString& source = {}) {
    return {name, store, kind, source, data.size(), Sha256(data), data};
}

QVector<Item> CollectBackup(QStringList* leftOut) {
    QVector<Item> items;
    int artworks = 0;
    for (const auto& adapter : Adapters()) {
        const QString store = adapter->Names().first();
        for (const auto& [kind, file] : DocumentsInUse(*adapter, leftOut)) {
            items << MakeItem("stores/" + store + "/" + file.fileName(), store, kind,
                              ReadRegularFile(file.absoluteFilePath()));
            if (adapter->DeviceType() != PR940) continue;
            for (const QString& image : ArtworkImagesOf(file.absoluteFilePath())) {
                bool carried = false;
                for (const Item& item : items)
                    carried = carried || (item.kind == kArtwork && item.source == image);
                if (!carried)
                    items << MakeItem("artworks/" + QString::number(++artworks) + ".bmp", store, kArtwork,
                                      ReadRegularFile(image), image);
            }
        }
    }
    for (const char* relative : kSettingsFiles) {
        const QString path = BaseDir() + relative;
        if (QFileInfo(path).isFile())
            items << MakeItem("settings" + QString(relative).section('/', -1).prepend('/'), kSettingsStore,
                              kSettingsFile, ReadRegularFile(path), relative);
    }
    return items;
}

QJsonObject Manifest(const QVector<Item>& items) {
    QJsonArray entries;
    for (const Item& item : items) entries.append(item.ToJson());
    return {{"format", kFormat},
            {"tool", "prefbookctl " PREFBOOK_VERSION},
            {"library", "prefbook " PREFBOOK_VERSION},
            {"created", QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
            {"entries", entries}};
}

Table ItemTable(const QVector<Item>& items) {
    Table table({{"store", "STORE", {}}, {"kind", "KIND", {}}, {"size", "SIZE", {}}, {"name", "ENTRY", {}}});
    for (const Item& item : items) table.AddRow({item.store, item.kind, double(item.size), item.name});
    return table;
}

void Backup(const QStringList& args, const Options& options) {
    ExpectArgs(args, 2, "backup FILE.tar.gz");
    const QString path = QFileInfo(args[1]).absoluteFilePath();
    RefuseOutputTarget(path);
    QStringList leftOut;
    const QVector<Item> items = CollectBackup(&leftOut);
    const QJsonObject manifest = Manifest(items);
    QVector<ArchiveEntry> entries{{kManifest, QJsonDocument(manifest).toJson()}};
    for (const Item& item : items) entries.append({item.name, item.data});
    QString error;
    if (!WriteTarGz(path, entries, &error)) {
        const QString why = WriteBlocker(path);
        throw RunError{why.isEmpty() ? error : error + "\n  " + path + ": " + why};
    }
    if (options.json) {
        PrintJson(
            {{"archive", path}, {"manifest", manifest}, {"leftOut", QJsonArray::fromStringList(leftOut)}});
    } else {
        PrintText("backed up " + BaseDir() + " to " + path + " (" + QString::number(items.size()) +
                  " entries)\n" + ItemTable(items).ToText() +
                  (leftOut.isEmpty() ? QString() : "Left out:\n  " + leftOut.join("\n  ") + "\n"));
    }
}

// --- restore-backup: check everything, then write ---

RunError Refused(const QString& why) {
    return RunError{"refused: " + why + "; nothing was written"};
}

// The manifest's items with their data, after every entry and every manifest line matched.
QVector<Item> MatchManifest(const QVector<ArchiveEntry>& entries, QJsonObject* manifest) {
    QMap<QString, QByteArray> files;
    for (const ArchiveEntry& e : entries) files.insert(e.name, e.data);
    if (!files.contains(kManifest))
        throw Refused("the archive has no " + kManifest + ": not a prefbookctl backup");
    QJsonParseError parse;
    *manifest = QJsonDocument::fromJson(files.take(kManifest), &parse).object();
    if (parse.error != QJsonParseError::NoError)
        throw Refused(kManifest + " does not parse: " + parse.errorString());
    const int format = manifest->value("format").toInt();
    if (format != kFormat)
        throw Refused(kManifest + " has format " + QString::number(format) + ", this prefbookctl reads " +
                      QString::number(kFormat));

    QVector<Item> items;
    QSet<QString> listed, restoredOnce;  // names; what a restore writes: a store's current, a settings file
    for (const QJsonValue& value : manifest->value("entries").toArray()) {
        const QJsonObject o = value.toObject();
        Item item{o["name"].toString(),
                  o["store"].toString(),
                  o["kind"].toString(),
                  o["source"].toString(),
                  qint64(o["size"].toDouble(-1)),
                  o["sha256"].toString(),
                  {}};
        const QString entry = "entry '" + item.name + "'";
        if (listed.contains(item.name)) throw Refused(kManifest + " lists " + entry + " twice");
        if (!files.contains(item.name))
            throw Refused(kManifest + " lists " + entry + ", which the archive does not hold");
        listed << item.name;
        item.data = files.take(item.name);
        if (item.data.size() != item.size || Sha256(item.data) != item.sha256)
            throw Refused(entry + " does not match its size and SHA-256 in " + kManifest);
        const bool isStore = item.store != kSettingsStore;
        if (isStore) {
            StoreAdapter* adapter = FindAdapter(item.store);
            if (!adapter) throw Refused(entry + " belongs to the unknown store '" + item.store + "'");
            item.store = adapter->Names().first();
        }
        const bool kindFits =
            isStore ? (item.kind == kCurrent || item.kind == kPrevious ||
                       (item.kind == kArtwork && !item.source.isEmpty()))
                    : (item.kind == kSettingsFile &&
                       std::any_of(std::begin(kSettingsFiles), std::end(kSettingsFiles),
                                   [&](const char* f) { return item.source == QLatin1String(f); }));
        if (!kindFits) throw Refused(entry + " has the unknown kind '" + item.kind + "' for " + item.store);
        const QString target = item.kind == kCurrent        ? item.store
                               : item.kind == kSettingsFile ? item.source
                                                            : QString();
        if (!target.isEmpty() && restoredOnce.contains(target))
            throw Refused(kManifest + " names two entries to restore as " + target);
        if (!target.isEmpty()) restoredOnce << target;
        items << item;
    }
    if (!files.isEmpty()) throw Refused("entry '" + files.firstKey() + "' is not listed in " + kManifest);
    return items;
}

// What restoring one store does.
struct StorePlan {
    StoreAdapter* adapter = nullptr;
    QString store, model;
    QString document;                      // the backed-up current document's name
    QString unpacked;                      // its copy in the work folder
    std::unique_ptr<StoreAdapter> loaded;  // a store over that copy alone, ready to save it
    QString replaced;                      // the document it replaces, or "defaults"
    QJsonArray differences;
    Table shown{{}};
    QString saved;  // the new document's name, once written
};

struct SettingsPlan {
    QString relative, unpacked;
    bool changed = false;
};

// The stores and settings a restore covers: every one in the backup, or those named.
QSet<QString> Selection(const QStringList& models, const QVector<Item>& items) {
    QSet<QString> inBackup, selected;
    for (const Item& item : items) inBackup << item.store;
    if (models.isEmpty()) return inBackup;
    for (const QString& model : models) {
        StoreAdapter* adapter =
            model.compare(kSettingsStore, Qt::CaseInsensitive) ? FindAdapter(model) : nullptr;
        const QString store = adapter ? adapter->Names().first() : kSettingsStore;
        if (!adapter && model.compare(kSettingsStore, Qt::CaseInsensitive))
            throw UsageError{"unknown model '" + model + "'"};
        if (!inBackup.contains(store)) throw RunError{"the backup holds nothing for " + model};
        selected << store;
    }
    return selected;
}

// The VL550 store finds its one document under the base folder itself: a store over a copy alone is
// built while the base folder reads as a work folder that holds only the copy.
class BaseOverride final : public IHabitat {
public:
    const QString& GetAppDir() override { return inner->GetAppDir(); }
    const QString& GetBaseDir() override { return base; }
    const QString& GetLogDir() override { return inner->GetLogDir(); }
    const QString& GetUserDir() override { return inner->GetUserDir(); }
    const QString& GetTempDir() override { return inner->GetTempDir(); }
    void GetProfileDir(int type, QString* dir) override { inner->GetProfileDir(type, dir); }

    IHabitat* inner = nullptr;
    QString base;
};

std::unique_ptr<StoreAdapter> NamedDocumentAlone(StoreAdapter& like, const QString& unpacked) {
    QTemporaryDir base;
    const QString copy =
        base.path() + prefbook::VL550ProfileCfgImpl::kFolder + QFileInfo(unpacked).fileName();
    if (!base.isValid() || !QDir().mkpath(QFileInfo(copy).path()) || !QFile::copy(unpacked, copy))
        throw RunError{"cannot copy " + unpacked + " to a temporary folder"};
    static BaseOverride habitat;  // the store keeps its host: it must outlive the store
    habitat.inner = &IHabitat::Instance();
    habitat.base = base.path();
    IHabitat::Install(&habitat);
    std::unique_ptr<StoreAdapter> fresh = NewAdapter(like);
    QString document, why = QStringLiteral("it does not read");
    try {
        document = fresh->Summary().document;  // builds the store, which loads the copy
        for (const FolderReport& report : fresh->Doctor()) {
            for (const FileReport& file : report.files) {
                if (file.file == QFileInfo(copy).fileName() && !file.reason.isEmpty()) why = file.reason;
            }
        }
    } catch (...) {
        IHabitat::Install(habitat.inner);
        throw;
    }
    IHabitat::Install(habitat.inner);
    if (document != QFileInfo(copy).fileName())
        throw RunError{fresh->Summary().model + " does not accept " + QFileInfo(unpacked).fileName() + ": " +
                       why};
    return fresh;
}

// A store over the document alone, when the store's load takes it: the store's own walk over a
// folder holding only the document, or for the VL550 its own look for its named document.
std::unique_ptr<StoreAdapter> StoreOver(StoreAdapter& adapter, const QString& unpacked,
                                        const QString& entry) {
    try {
        return adapter.DeviceType() == VL550 ? NamedDocumentAlone(adapter, unpacked)
                                             : LoadAlone(adapter, QFileInfo(unpacked));
    } catch (const RunError& e) {
        throw Refused(entry + ": " + e.message);
    }
}

QString Unpack(const QTemporaryDir& work, const Item& item) {
    // Each under a folder of its own, named as in the archive: the stores read documents by name.
    const QString path = work.filePath(item.name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(item.data) != item.data.size())
        throw RunError{"cannot unpack " + item.name + " to " + path + ": " + file.errorString()};
    return path;
}

bool ParsesAsSettings(const QString& path) {
    QSettings settings(path, QSettings::IniFormat);
    settings.allKeys();
    return settings.status() == QSettings::NoError;
}

void ReplaceSettingsFile(const SettingsPlan& plan) {
    const QString target = BaseDir() + plan.relative;
    QDir().mkpath(QFileInfo(target).path());
    QSaveFile file(target);
    const QByteArray data = ReadRegularFile(plan.unpacked);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        const QString why = WriteBlocker(target);
        throw RunError{"cannot replace " + target + ": " + (why.isEmpty() ? file.errorString() : why)};
    }
}

void PrintRestore(const QString& path, const QJsonObject& manifest, std::vector<StorePlan>& stores,
                  const QVector<SettingsPlan>& settings, int artworks, const Options& options) {
    if (options.json) {
        QJsonArray storesJson, settingsJson;
        for (const StorePlan& p : stores)
            storesJson.append(QJsonObject{{"model", p.model},
                                          {"document", p.document},
                                          {"replaced", p.replaced},
                                          {"saved", options.dryRun ? QJsonValue() : QJsonValue(p.saved)},
                                          {"differences", p.differences}});
        for (const SettingsPlan& s : settings)
            settingsJson.append(QJsonObject{{"file", s.relative}, {"changed", s.changed}});
        PrintJson({{"archive", path},
                   {"created", manifest["created"]},
                   {"tool", manifest["tool"]},
                   {"dryRun", options.dryRun},
                   {"stores", storesJson},
                   {"settings", settingsJson},
                   {"artworks", artworks}});
        return;
    }
    QString text =
        "backup " + path + " (" + manifest["tool"].toString() + ", " + manifest["created"].toString() + ")\n";
    for (const StorePlan& p : stores) {
        if (options.dryRun) {
            text += "\n" + p.model + ": " + p.document + " would replace " + p.replaced + "\n";
            text += p.differences.isEmpty() ? QStringLiteral("no differences\n")
                                            : DifferenceTable(p.shown, p.differences).ToText();
        } else {
            text += "restored " + p.model + " " + p.document + " as " + p.saved +
                    (p.replaced == QLatin1String("defaults")
                         ? QString()
                         : "; " + p.replaced + " is now the previous document") +
                    "\n";
        }
    }
    if (options.dryRun && !settings.isEmpty()) text += "\n";
    for (const SettingsPlan& s : settings)
        text += (options.dryRun ? (s.changed ? "would replace " : "unchanged ")
                                : (s.changed ? "replaced " : "unchanged ")) +
                BaseDir() + s.relative + "\n";
    PrintText(text);
}

void RestoreBackup(const QStringList& args, const Options& options) {
    if (args.size() < 2) throw UsageError{"usage: prefbookctl restore-backup FILE [MODEL...] [--dry-run]"};
    const QString path = QFileInfo(args[1]).absoluteFilePath();
    QVector<ArchiveEntry> entries;
    try {
        entries = ReadArchive(path);
    } catch (const RunError& e) {
        throw RunError{e.message.startsWith("refused: ") ? e.message + "; nothing was written" : e.message};
    }
    QJsonObject manifest;
    const QVector<Item> items = MatchManifest(entries, &manifest);
    const QSet<QString> selected = Selection(args.mid(2), items);

    QTemporaryDir work;
    if (!work.isValid()) throw RunError{"cannot make a temporary folder: " + work.errorString()};
    QHash<QString, QString> images;
    for (const Item& item : items) {
        if (item.kind == kArtwork && selected.contains(item.store))
            images.insert(item.source, Unpack(work, item));
    }
    RedirectArtworkImages(images);

    std::vector<StorePlan> stores;
    QVector<SettingsPlan> settings;
    for (const Item& item : items) {
        if (!selected.contains(item.store)) continue;
        const QString entry = "entry '" + item.name + "'";
        if (item.kind == kSettingsFile) {
            SettingsPlan plan{item.source, Unpack(work, item)};
            if (!ParsesAsSettings(plan.unpacked)) throw Refused(entry + " does not parse as a settings file");
            const QString target = BaseDir() + plan.relative;
            plan.changed = !QFileInfo(target).isFile() || ReadRegularFile(target) != item.data;
            settings << plan;
            continue;
        }
        if (item.kind == kArtwork) continue;
        StoreAdapter& adapter = *FindAdapter(item.store);
        const QString unpacked = Unpack(work, item);
        if (item.kind == kPrevious) {
            StoreOver(adapter, unpacked, entry);
            continue;
        }
        StorePlan plan;
        plan.adapter = &adapter;
        plan.store = item.store;
        plan.model = adapter.Summary().model;
        plan.document = QFileInfo(item.name).fileName();
        plan.unpacked = unpacked;
        plan.loaded = StoreOver(adapter, unpacked, entry);
        RefuseUnreadable(adapter.Summary().profileDir, "restore-backup");
        const QString blocker = SavingDefaultsBlocker(adapter, "restore-backup");
        if (!blocker.isEmpty()) throw Refused(blocker);
        plan.replaced = adapter.Summary().document;
        plan.shown = adapter.Show();
        plan.differences = TableDifferences(plan.shown, plan.loaded->Show());
        stores.push_back(std::move(plan));
    }

    if (!options.dryRun) {
        AllowFolderCreation();
        for (StorePlan& plan : stores) {
            QString error, document;
            if (plan.adapter->DeviceType() == VL550) {
                // Its store saves only to its one document, replaced atomically by the import.
                Transfer transfer;
                transfer.kind = plan.adapter->TransferKinds().value(0);
                transfer.path = plan.unpacked;
                if (!plan.adapter->Import(transfer, &document, &error)) throw RunError{error};
                plan.saved = document;
            } else {
                if (!plan.loaded->Save(&error))
                    throw RunError{SaveFailure(error, plan.adapter->Summary().profileDir)};
                CheckSaved(*plan.loaded);
                plan.saved = QFileInfo(LastSavedDocument()).fileName();
            }
        }
        for (const SettingsPlan& s : settings) {
            if (s.changed) ReplaceSettingsFile(s);
        }
    }
    RedirectArtworkImages({});
    PrintRestore(path, manifest, stores, settings, images.size(), options);
}

}  // namespace

std::vector<CommandInfo> BackupCommands() {
    return {
        {"backup", "backup FILE.tar.gz",
         "write every store's documents, PR940 artworks and settings to one file", kBackupHelp, Backup,
         kTakesForce},
        {"restore-backup", "restore-backup FILE [MODEL...] [--dry-run]", "check a backup, then restore it",
         kRestoreBackupHelp, RestoreBackup, kTakesForce | kTakesDryRun},
    };
}

}  // namespace prefbookctl
