#include <archive.h>
#include <archive_entry.h>
#include <signal.h>

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QThread>

#include "ToolRunner.h"
#include "devices/mice/PR940ProfileCfgImpl.h"
#include "hostservices/DefaultGlyphPress.h"

namespace prefbook::test {
namespace {

// --- archives written here, as a hostile sender would ---

struct Entry {
    QString name;
    QByteArray data;
    unsigned type = AE_IFREG;
    QString link = QString();  // a symbolic or hard link's target
};

// A manifest that lists the regular entries as they are: "settings/" ones as settings files, the
// others as TL480 documents.
QByteArray ManifestOf(const QVector<Entry>& entries) {
    QJsonArray listed;
    for (const Entry& e : entries) {
        if (e.type != AE_IFREG || !e.link.isEmpty()) continue;
        const bool settings = e.name.startsWith("settings/");
        QJsonObject item{
            {"name", e.name},
            {"store", settings ? "settings" : "tl480"},
            {"kind", settings ? "settings file" : "current"},
            {"size", e.data.size()},
            {"sha256", QString(QCryptographicHash::hash(e.data, QCryptographicHash::Sha256).toHex())}};
        if (settings) item.insert("source", e.name.mid(8));
        listed.append(item);
    }
    return QJsonDocument(QJsonObject{{"format", 1}, {"entries", listed}}).toJson();
}

void WriteArchive(const QString& path, const QVector<Entry>& entries) {
    archive* a = archive_write_new();
    archive_write_add_filter_gzip(a);
    archive_write_set_format_pax_restricted(a);
    ASSERT_EQ(archive_write_open_filename(a, QFile::encodeName(path).constData()), ARCHIVE_OK);
    for (const Entry& e : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.name.toUtf8().constData());
        archive_entry_set_filetype(entry, e.type);
        archive_entry_set_perm(entry, 0644);
        if (e.type == AE_IFLNK) archive_entry_set_symlink(entry, e.link.toUtf8().constData());
        if (e.type == AE_IFREG && !e.link.isEmpty())
            archive_entry_set_hardlink(entry, e.link.toUtf8().constData());
        archive_entry_set_size(entry, e.type == AE_IFREG && e.link.isEmpty() ? e.data.size() : 0);
        ASSERT_EQ(archive_write_header(a, entry), ARCHIVE_OK) << e.name.toStdString();
        if (!e.data.isEmpty()) archive_write_data(a, e.data.constData(), e.data.size());
        archive_entry_free(entry);
    }
    archive_write_close(a);
    archive_write_free(a);
}

class Backup : public Tool {
protected:
    // Every store's distinct fixture as its current document; returns the store command names.
    QStringList PlaceEveryStore() {
        QStringList stores;
        for (const QJsonValue& value : Json({"overview"})["stores"].toArray()) {
            const QJsonObject store = value.toObject();
            const QString name = store["commands"].toArray()[0].toString();
            const QString folder = QDir(store["profileDir"].toString()).dirName();
            const bool binary = name == "ft610";
            const QString fixture = "../" + name + (binary ? "/distinct.bin" : "/distinct.xml");
            Place(fixture, folder,
                  name == "vl550" ? "default.bin"
                  : binary        ? "2026-03-14 15-09-26.bin"
                                  : "2026-03-14 15-09-26.xml",
                  0);
            stores << name;
        }
        return stores;
    }

    QMap<QString, QJsonArray> ShowAll(const QStringList& stores, QString base = {}) {
        if (base.isEmpty()) base = Base();
        QMap<QString, QJsonArray> shown;
        for (const QString& store : stores)
            shown[store] =
                ParseJson(RunTool({"--base", base, "--json", "show", store}).out)["profiles"].toArray();
        return shown;
    }

    void Wipe() {
        QDir(Base()).removeRecursively();
        QDir().mkpath(Base());
    }

    QString Archive(const QString& name = "backup.tar.gz") const { return out_.filePath(name); }

    QTemporaryDir out_;
};

// --- round trip ---

// Backup, the old base folder gone, restore into a new one: every store shows what it showed, the
// settings read the same, and the PR940 artwork's pixels come from the backup into this base's
// artwork folder.
TEST_F(Backup, CarriesEveryStoreArtworksAndSettingsToANewBase) {
    const QStringList stores = PlaceEveryStore();
    {
        TempHabitat habitat(Base());
        RecordingTracebook log;
        ManualClock clock;
        clock.Set(kT0.addSecs(60));
        DefaultGlyphPress press(&habitat, &log);
        PR940ProfileCfgImpl store({&habitat, &log, &clock}, press);
        store.AddOledProfile(1, "Show");
        store.AddArtwork(1, "Show", "Logo");
        store.SetArtworkPixels(1, "Show", "Logo", {0xFFFF0000u, 1, 2, 3, 4});
        ASSERT_TRUE(store.SaveProfile());
    }
    RunOk({"settings", "set", "maxStepNum", "20"});
    RunOk({"settings", "set", "FT610", "true"});
    const QMap<QString, QJsonArray> shown = ShowAll(stores);
    const QJsonObject settings = Json({"settings"});
    const QMap<QString, QByteArray> before = Snapshot();

    const QJsonObject made = Json({"backup", Archive()});
    EXPECT_EQ(Snapshot(), before);
    QStringList kinds;
    for (const QJsonValue& e : made["manifest"].toObject()["entries"].toArray())
        kinds << e.toObject()["store"].toString() + " " + e.toObject()["kind"].toString();
    for (const QString& store : stores)
        EXPECT_TRUE(kinds.contains(store + " current")) << store.toStdString();
    EXPECT_TRUE(kinds.contains("pr940 previous"));
    EXPECT_TRUE(kinds.contains("pr940 artwork"));
    EXPECT_EQ(kinds.count("settings settings file"), 2);  // param.arg and reset.ini

    Wipe();
    QTemporaryDir fresh;
    const Result restored = RunTool({"--base", fresh.path(), "restore-backup", Archive()});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    const QMap<QString, QJsonArray> restoredShown = ShowAll(stores, fresh.path());
    for (const QString& store : stores) EXPECT_EQ(restoredShown[store], shown[store]) << store.toStdString();
    // The hot-key folder lies under each base folder.
    EXPECT_EQ(RunTool({"--base", fresh.path(), "--json", "settings"}).out,
              QString(QJsonDocument(settings).toJson()).replace(Base(), fresh.path()));
    // The pixels came from the backup: the old base folder is gone.
    EXPECT_TRUE(QJsonDocument(shown["pr940"]).toJson(QJsonDocument::Compact).contains("\"words\":5"));
    EXPECT_TRUE(
        QDirIterator(fresh.path() + "/user/artworks", {"Logo.bmp"}, QDir::Files, QDirIterator::Subdirectories)
            .hasNext());
}

// --- restore over a base that has its own documents ---

TEST_F(Backup, DryRunShowsTheChangeAndRestoreUndoesTheRestoredSave) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    RunOk({"rename", "tl480", "0", "Backed up"});
    // A document the store keeps without accepting it is one a restore could not take: said, not carried.
    Place("tl480-four.xml", "TL460B", "2026-03-14 15-09-26.xml", 0);
    const QJsonObject made = Json({"backup", Archive()});
    const QJsonArray leftOut = made["leftOut"].toArray();
    ASSERT_EQ(leftOut.size(), 1);
    EXPECT_TRUE(leftOut[0].toString().startsWith("TL460: " + Base() + "/profile/TL460B/"))
        << leftOut[0].toString().toStdString();
    EXPECT_FALSE(QJsonDocument(made).toJson().contains("stores/tl460/"));
    RunOk({"rename", "tl480", "0", "Mine"});
    const QMap<QString, QByteArray> before = Snapshot();

    const QJsonObject dry = Json({"restore-backup", Archive(), "tl480", "--dry-run"});
    EXPECT_EQ(Snapshot(), before);
    for (const char* other : {"backup", "restore"})  // --dry-run is restore-backup's alone
        EXPECT_EQ(RunHere({other, other == QLatin1String("backup") ? Archive() : "tl480", "--dry-run"}).err,
                  "prefbookctl: --dry-run is not taken by " + QString(other) + "\n");
    EXPECT_EQ(Snapshot(), before);
    const QJsonArray stores = dry["stores"].toArray();
    ASSERT_EQ(stores.size(), 1);
    EXPECT_EQ(
        stores[0].toObject()["differences"].toArray(),
        QJsonArray({QJsonObject{{"profile", 0}, {"field", "name"}, {"old", "Mine"}, {"new", "Backed up"}}}));

    RunOk({"restore-backup", Archive(), "tl480"});
    EXPECT_EQ(ShowRows("tl480")[0].toObject()["name"].toString(), "Backed up");
    RunOk({"restore", "tl480"});
    EXPECT_EQ(ShowRows("tl480")[0].toObject()["name"].toString(), "Mine");

    // A folder whose documents the store cannot load is saved over only with --force.
    for (const QString& document : Documents("TL480B")) QFile::remove(Base() + "/profile/TL480B/" + document);
    Place("tl480-broken.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    const Result refused = RunHere({"restore-backup", Archive()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Add --force")) << refused.err.toStdString();
    RunOk({"--force", "restore-backup", Archive()});
    EXPECT_EQ(ShowRows("tl480")[0].toObject()["name"].toString(), "Backed up");
}

// --- hostile archives: refused with the reason, the base folder byte for byte as it was ---

struct HostileCase {
    const char* label;
    std::function<QVector<Entry>(const QByteArray& document)> entries;
    const char* reason;
};

QVector<Entry> WithManifest(QVector<Entry> entries) {
    entries.prepend({"manifest.json", ManifestOf(entries)});
    return entries;
}

const QString kDoc = QStringLiteral("stores/tl480/2026-03-14 15-09-26.xml");

const HostileCase kHostile[] = {
    {"AbsolutePath",
     [](const QByteArray& d) {
         return WithManifest({{"/tmp/evil.xml", d}});
     },
     "entry '/tmp/evil.xml' has an absolute path"},
    {"DotDot",
     [](const QByteArray& d) {
         return WithManifest({{"stores/../../evil.xml", d}});
     },
     "climbs out with '..'"},
    {"SymbolicLink",
     [](const QByteArray& d) {
         return WithManifest({{kDoc, d}, {"stores/link", {}, AE_IFLNK, "/etc/passwd"}});
     },
     "entry 'stores/link' is a symbolic link"},
    {"HardLink",
     [](const QByteArray& d) {
         return WithManifest({{kDoc, d}, {"stores/hard", {}, AE_IFREG, kDoc}});
     },
     "entry 'stores/hard' is a hard link"},
    {"Device",
     [](const QByteArray& d) {
         return WithManifest({{kDoc, d}, {"dev/null", {}, AE_IFCHR}});
     },
     "entry 'dev/null' is a device"},
    {"Fifo",
     [](const QByteArray& d) {
         return WithManifest({{kDoc, d}, {"fifo", {}, AE_IFIFO}});
     },
     "entry 'fifo' is a FIFO"},
    {"DuplicateName",
     [](const QByteArray& d) {
         return WithManifest({{kDoc, d}, {kDoc, d}});
     },
     "appears twice"},
    {"ChecksumMismatch",
     [](const QByteArray& d) {
         QVector<Entry> entries = WithManifest({{kDoc, d}});
         entries[1].data.replace("PROFILE", "PROFILX");
         return entries;
     },
     "does not match its size and SHA-256"},
    {"UnlistedEntry",
     [](const QByteArray& d) {
         QVector<Entry> entries = WithManifest({{kDoc, d}});
         entries.append({"stores/tl480/extra.xml", d});
         return entries;
     },
     "entry 'stores/tl480/extra.xml' is not listed"},
    {"TwoCurrentDocuments",
     [](const QByteArray& d) {
         return WithManifest({{kDoc, d}, {"stores/tl480/other.xml", d}});
     },
     "names two entries to restore as tl480"},
    {"NoManifest",
     [](const QByteArray& d) {
         return QVector<Entry>{{kDoc, d}};
     },
     "has no manifest.json"},
    {"CompressionBomb",
     [](const QByteArray&) {
         return WithManifest({{"stores/tl480/bomb.xml", QByteArray(17 * 1024 * 1024, ' ')}});
     },
     "is larger than 16777216 bytes"},
    {"UnparsableSettings",
     [](const QByteArray& d) {
         return WithManifest({{kDoc, d}, {"settings/reset.ini", "[Reset\nbackup=1\n"}});
     },
     "entry 'settings/reset.ini' does not parse as a settings file"},
    {"RefusedDocument",
     [](const QByteArray&) {
         return WithManifest({{kDoc, ReadAll(kData + "tl480-four.xml")}});
     },
     "holds 4 profiles"},
};

class HostileArchive : public Backup, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileArchive, IsRefusedBeforeAnythingIsWritten) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    const QMap<QString, QByteArray> before = Snapshot();
    WriteArchive(Archive(), GetParam().entries(ReadAll(kData + "tl480-store.xml")));
    const Result result = RunHere({"restore-backup", Archive()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith("prefbookctl: refused: ")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(GetParam().reason)) << result.err.toStdString();
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(Entries(), QStringList{"profile"});
}

INSTANTIATE_TEST_SUITE_P(Prefbookctl, HostileArchive, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.label); });

// --- a restore killed part way ---

// Every store holds, after the kill, its old current document or the restored one: the renamed
// stores show one of the two states, and every store loads a document rather than its defaults.
TEST_F(Backup, KilledRestoreLeavesEveryStoreOldOrNew) {
    PlaceEveryStore();
    const QStringList renamed = {"kr720", "tl480", "pr940", "au340", "keydeck_c"};
    const QMap<QString, QJsonArray> oldShown = ShowAll(renamed);
    for (const QString& store : renamed) RunOk({"rename", store, "0", "New"});
    const QMap<QString, QJsonArray> newShown = ShowAll(renamed);
    RunOk({"backup", Archive()});
    Wipe();
    PlaceEveryStore();
    const QMap<QString, QByteArray> oldFiles = Snapshot();
    // The kills land after the checks, in the time the stores are written.
    QElapsedTimer timer;
    timer.start();
    RunOk({"restore-backup", Archive(), "--dry-run"});
    const int checks = int(timer.restart());
    RunOk({"restore-backup", Archive()});
    const int writes = std::max(1, int(timer.elapsed()) - checks);

    int restored = 0;
    for (int round = 0; round < 8; ++round) {
        Wipe();
        for (auto it = oldFiles.begin(); it != oldFiles.end(); ++it) HandWrite(it.key(), it.value());
        QProcess process;
        process.start(PREFBOOK_CTL, {"--base", Base(), "restore-backup", Archive()});
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(checks + QRandomGenerator::global()->bounded(writes));
        ::kill(process.processId(), SIGKILL);
        process.waitForFinished();
        const QMap<QString, QJsonArray> shown = ShowAll(renamed);
        for (const QString& store : renamed) {
            EXPECT_TRUE(shown[store] == oldShown[store] || shown[store] == newShown[store])
                << store.toStdString() << " round " << round;
            restored += shown[store] == newShown[store];
        }
        for (const QJsonValue& folder : ParseJson(RunHere({"--json", "doctor"}).out)["folders"].toArray())
            EXPECT_NE(folder.toObject()["document"].toString(), "defaults")
                << folder.toObject()["model"].toString().toStdString();
    }
    RecordProperty("storesRestoredBeforeTheKill", restored);
}

}  // namespace
}  // namespace prefbook::test
