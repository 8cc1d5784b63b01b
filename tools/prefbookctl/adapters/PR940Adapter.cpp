#include <QFileInfo>
#include <QJsonObject>
#include <QSaveFile>
#include <memory>

#include "AdapterKit.h"
#include "BackupArtwork.h"
#include "CommandKit.h"
#include "Commands.h"
#include "SystemReason.h"
#include "ToolHost.h"
#include "devices/mice/PR940ProfileCfgImpl.h"
#include "hostservices/DefaultGlyphPress.h"
#include "profilecore/DeviceType.h"

namespace prefbookctl {
namespace {

using prefbook::PR940Document;

QJsonArray DisplayProfilesJson(const OledProfileMap& profiles) {
    QJsonArray list;
    for (const auto& [key, op] : profiles) {
        QJsonArray artworks;
        for (const auto& [artKey, art] : op.artworks) {
            artworks.append(QJsonObject{{"name", Utf8(artKey)},
                                        {"pen", art.pen},
                                        {"background", art.background},
                                        {"words", art.pixels.size()}});
        }
        QJsonArray order;
        for (int32_t position : op.order) order.append(position);
        list.append(QJsonObject{{"name", Utf8(key)},
                                {"duration", op.duration},
                                {"order", order},
                                {"currArtwork", Utf8(op.currArtworkName)},
                                {"artworks", artworks}});
    }
    return list;
}

// "Show(Logo*, Wave) Quiet()": every display profile with its artworks, the current one starred.
QString DisplayProfilesText(const QJsonValue& value) {
    QStringList parts;
    for (const QJsonValue& op : value.toArray()) {
        QStringList arts;
        for (const QJsonValue& art : op["artworks"].toArray()) {
            const QString name = art["name"].toString();
            arts << (name == op["currArtwork"].toString() ? name + "*" : name);
        }
        parts << op["name"].toString() + "(" + arts.join(", ") + ")";
    }
    return parts.isEmpty() ? QStringLiteral("-") : parts.join(' ');
}

// The PR940 store: five named profiles with display artworks, no export or import.
class PR940Adapter final : public StoreAdapter {
public:
    QStringList Names() const override { return {QStringLiteral("pr940")}; }
    int DeviceType() const override { return ::PR940; }
    bool HasProfileNames() const override { return true; }

    StoreSummary Summary() override {
        return MakeSummary(QStringLiteral("PR940"), Folder(), Store().LoadedFrom(), Store().GetProfileNum());
    }

    Table Show() override {
        Table table = ProfileTable({{"lightingMode", "LIGHTING", {}},
                                    {"customColors", "COLOURS", ColorsText},
                                    {"surfaces", "SURFACES", {}},
                                    {"currDisplayProfile", "DISPLAY", {}},
                                    {"displayProfiles", "DISPLAY PROFILES", DisplayProfilesText},
                                    {"macros", "MACROS", {}}});
        const PR940Document& doc = Store().Document();
        for (int i = 0; i < doc.profiles.size(); ++i) {
            const PR940Profile& p = doc.profiles[i];
            AddProfileRow(
                table, i, p,
                {p.lightingMode, ColorsJson(p.customColors), NameKeysJson(p.surfaces),
                 Utf8(p.currOledProfile), DisplayProfilesJson(p.oledProfiles), NameKeysJson(p.macros)});
        }
        return table;
    }

    bool Rename(int index, const std::string& name, QString* error) override {
        return RunRename(
            QStringLiteral("PR940"), [&] { Store().SetProfileName(index, name); },
            [&] { return Store().SaveProfile(); }, error);
    }

    bool Save(QString* error) override {
        return RunSave(
            QStringLiteral("PR940"), [&] { return Store().SaveProfile(); }, error);
    }

    QVector<FolderReport> Doctor() override {
        PR940Document doc;
        LoadRules rules;
        rules.read = [&](const QString& path, QStringList&) {
            return prefbook::ReadPR940DocumentFile(ToolHost(), Press(), path, doc);
        };
        rules.accept = [&] { return doc.profiles.size() == prefbook::kPR940ProfileCount; };
        rules.rejection = [&] { return ProfileCount(doc.profiles.size()); };
        return {WalkProfileFolder(QStringLiteral("PR940"), Folder(), rules, Summary().document)};
    }

    bool Validate(const DocumentProbe& probe, Validation* result) override {
        if (probe.root != QLatin1String("pr940")) return false;
        PR940Document doc;
        result->model = QStringLiteral("PR940");
        result->kind = QStringLiteral("store document");
        ReadForValidation(probe, result, [&] {
            return prefbook::ReadPR940DocumentFile(ToolHost(), Press(), probe.path, doc);
        });
        result->profiles = doc.profiles.size();
        JudgeStoreDocument(result, prefbook::PR940ProfileCfgImpl::Accepts(doc),
                           ProfileCount(doc.profiles.size()), "; kept only when no other document reads");
        return true;
    }

    prefbook::PR940ProfileCfgImpl& Store() { return store_.Get(Press()); }

private:
    static QString ProfileCount(int count) { return StoreExpects(count, prefbook::kPR940ProfileCount); }

    QString Folder() const { return ToolHost().ProfileDir(::PR940); }

    // Artwork images go through the real converter, its lines captured with the store's.
    IGlyphPress& Press() {
        if (!press_) press_ = std::make_unique<ToolGlyphPress>();
        return *press_;
    }

    std::unique_ptr<ToolGlyphPress> press_;
    LazyStore<prefbook::PR940ProfileCfgImpl> store_;
};

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(PR940Adapter)

// "artwork pr940 PROFILE DISPLAYPROFILE ARTWORK OUT.png": one artwork as an image a person can look
// at, each display pixel drawn as a square of kScale pixels.
namespace {

void Artwork(const QStringList& args, const Options& options) {
    const bool json = options.json;
    constexpr int kScale = 4;
    if (args.size() != 6)
        throw UsageError{"usage: prefbookctl artwork pr940 PROFILE DISPLAYPROFILE ARTWORK OUT.png"};
    auto* adapter = dynamic_cast<PR940Adapter*>(FindAdapter(args[1]));
    if (!adapter) throw UsageError{"only the pr940 store has display artworks"};
    prefbook::PR940ProfileCfgImpl& store = adapter->Store();
    bool ok = false;
    const int index = args[2].toInt(&ok);
    if (!ok || index < 0 || index >= store.GetProfileNum())
        throw UsageError{"bad profile '" + args[2] + "': expected 0 to " +
                         QString::number(store.GetProfileNum() - 1)};
    const std::string op = args[3].toStdString();
    const std::string art = args[4].toStdString();
    QVector<uint32_t> pixels;
    if (!store.GetArtworkPixels(index, op, art, pixels))
        throw RunError{"profile " + args[2] + " has no artwork '" + args[4] + "' in display profile '" +
                       args[3] + "'"};
    const QImage image = ArtworkToImage(pixels);
    const QImage scaled = image.scaled(image.size() * kScale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QString path = QFileInfo(args[5]).absoluteFilePath();
    RefuseOutputTarget(path);
    // Replaced whole or not at all, like an export.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !scaled.save(&file, "PNG") || !file.commit()) {
        const QString why = WriteBlocker(path);
        throw RunError{"cannot write " + path + ": " + (why.isEmpty() ? file.errorString() : why)};
    }
    if (json) {
        PrintJson({{"model", "PR940"},
                   {"profile", index},
                   {"words", pixels.size()},
                   {"width", scaled.width()},
                   {"height", scaled.height()},
                   {"file", path}});
    } else {
        PrintText(QString::number(pixels.size()) + " words drawn as " + QString::number(scaled.width()) +
                  "x" + QString::number(scaled.height()) + " pixels to " + path + "\n");
    }
}

}  // namespace

QStringList ArtworkWords(const QStringList& what) {
    auto* adapter = dynamic_cast<PR940Adapter*>(FindAdapter(QStringLiteral("pr940")));
    bool ok = false;
    const int index = what.value(0).toInt(&ok);
    if (!adapter || !ok || index < 0 || index >= adapter->Store().GetProfileNum()) return {};
    QStringList words;
    for (const auto& [name, display] : adapter->Store().GetOledProfileMap(index)) {
        if (what.size() == 1) {
            words << Utf8(name);
        } else if (Utf8(name) == what[1]) {
            for (const auto& artwork : display.artworks) words << Utf8(artwork.first);
        }
    }
    return words;
}

std::vector<CommandInfo> ArtworkCommands() {
    return {
        {"artwork", "artwork pr940 PROFILE DISPLAYPROFILE ARTWORK OUT.png", "draw a PR940 artwork as a PNG",
         "Draws one display artwork of the PR940 store (PROFILE from 0, the display profile and artwork by\n"
         "name) as a PNG: lit pixels white, dark ones black, the unused end of the last row grey, each\n"
         "display pixel four image pixels wide.",
         Artwork, kTakesForce},
    };
}

}  // namespace prefbookctl
