#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <memory>

#include "AdapterKit.h"
#include "ToolHost.h"
#include "devices/textlight/VL550Document.h"
#include "devices/textlight/VL550ProfileCfgImpl.h"
#include "hostservices/IHabitat.h"
#include "profilecore/DeviceType.h"
#include "profilecore/ProfileFolder.h"

namespace prefbookctl {
namespace {

const QString kModel = QStringLiteral("VL550");
const QString kDocument = QStringLiteral("default.bin");

QString ModesText(const QJsonValue& value) {
    QStringList parts;
    for (const QJsonValue& element : value.toArray()) {
        const QJsonObject m = element.toObject();
        parts << QString::number(m["id"].toInt()) + ":" + QString::number(m["speed"].toInt()) + ":" +
                     ColorCell(m["red"].toInt(), m["green"].toInt(), m["blue"].toInt()) + ":" +
                     QString::number(m["brightness"].toInt());
    }
    return parts.join(' ');
}

// The VL550 store: one profile in the one document "default.bin" (XML despite its name), which the
// store looks for itself under the base folder rather than in a rotation.
class VL550Adapter final : public StoreAdapter {
public:
    QStringList Names() const override { return {"vl550"}; }
    int DeviceType() const override { return VL550; }

    StoreSummary Summary() override { return MakeSummary(kModel, Folder(), Store().DocumentPath(), 1); }

    Table Show() override {
        Table table({{"currMode", "MODE", {}},
                     {"modes", "MODES (id:speed:colour:brightness)", ModesText},
                     {"customColors", "CUSTOM COLOURS", ColorsText},
                     {"textMode", "TEXT MODE", {}},
                     {"textPeriod", "TEXT PERIOD", {}}});
        const VL550Profile& p = Store().Profile();
        QJsonArray modes;
        for (const VLModeSetting& m : p.modes)
            modes.append(QJsonObject{{"id", m.id},
                                     {"speed", m.speed},
                                     {"red", m.red},
                                     {"green", m.green},
                                     {"blue", m.blue},
                                     {"brightness", m.brightness}});
        table.AddRow({p.currMode, modes, ColorsJson(p.customColors), p.textMode, p.textPeriod});
        return table;
    }

    QStringList TransferKinds() const override { return {"document"}; }
    QString TransferHelp() const override {
        return "vl550                                        the profile as a VL550 document; an import "
               "replaces default.bin";
    }

    bool Export(const Transfer& t, QString* error) override {
        AllowOptions(t, "vl550", false, false);
        return RunExport(
            kModel, t, [&] { return Store().SaveDocumentAs(t.path); }, error);
    }

    // LoadDocument reports success whatever it read, so the file is read aside first; the store's
    // own save then writes it as the folder's default.bin.
    bool Import(const Transfer& t, QString* document, QString* error) override {
        AllowOptions(t, "vl550", false, false);
        return RunImport(
            *this, kModel, t,
            [&] {
                VL550Profile scratch = Store().Profile();
                return prefbook::ReadVL550File(ToolHost(), t.path, scratch) && Store().LoadDocument(t.path);
            },
            [&] {
                QDir().mkpath(Folder());
                return Store().SaveDocumentAs(Folder() + kDocument);
            },
            [] { return kDocument; }, document, error);
    }

    // The store's own startup walk: newest first, any file that is not ".bin" makes it apply the
    // default modes unless default.bin reads, other ".bin" files are passed over, and the walk stops
    // at default.bin.
    QVector<FolderReport> Doctor() override {
        FolderReport report;
        report.model = kModel;
        report.folder = Folder();
        const QString storeDocument = Summary().document;
        if (!QDir(report.folder).exists()) {
            // No folder yet is how every installation starts: the store keeps its creation values.
            report.document = QStringLiteral("defaults");
            return {report};
        }
        bool ok = true;
        bool found = false;
        for (const QFileInfo& info : prefbook::ListProfileFolder(report.folder)) {
            FileReport file;
            file.file = info.fileName();
            file.modified = info.lastModified();
            if (found) {
                file.verdict = QStringLiteral("not reached");
                file.reason = kDocument + " was read first";
            } else if (info.suffix() != QLatin1String("bin")) {
                ok = false;
                file.verdict = QStringLiteral("skipped");
                file.reason =
                    QStringLiteral("not a .bin file: the default modes apply unless default.bin reads");
            } else if (file.file != kDocument) {
                file.verdict = QStringLiteral("ignored");
                file.reason = "only " + kDocument + " is read";
            } else {
                found = true;
                VL550Profile profile;
                TakeLog();
                ok = prefbook::ReadVL550File(ToolHost(), info.absoluteFilePath(), profile);
                file.messages = TakeLog();
                file.verdict = ok ? QStringLiteral("loaded") : QStringLiteral("skipped");
                if (!ok) file.reason = ReadFailure(info.absoluteFilePath(), file.messages);
            }
            report.files << file;
        }
        report.document = found && ok ? kDocument : QStringLiteral("defaults");
        if (found && !ok) {
            report.warnings << "the store falls back to its default modes although " + kDocument + " exists";
        } else if (!found && ok && !report.files.isEmpty()) {
            report.warnings << "there is no " + kDocument +
                                   ": the store keeps its creation values, without any mode settings";
        }
        if (storeDocument != report.document) {
            report.warnings << "the store itself loaded " + storeDocument + ", not " + report.document +
                                   ": this report does not describe it";
        }
        return {report};
    }

    bool Validate(const DocumentProbe& probe, Validation* result) override {
        if (probe.root != QLatin1String("vl550")) return false;
        VL550Profile profile;
        result->model = kModel;
        result->kind = QStringLiteral("document");
        ReadForValidation(probe, result,
                          [&] { return prefbook::ReadVL550File(ToolHost(), probe.path, profile); });
        // The text selection's detail line is the reader's trace, not a problem.
        result->problems = result->problems.filter(QRegExp("^(?!detail: )"));
        result->profiles = result->read ? 1 : 0;
        result->storeAccepts = result->read && prefbook::VL550ProfileCfgImpl::Accepts(profile);
        result->storeLoad = result->read ? "accepted as " + kDocument + " in the VL550 folder"
                                         : QStringLiteral("skipped: does not read");
        if (result->read) result->import = ImportCommand("vl550", QString(), probe.path);
        return true;
    }

private:
    // Where the store itself looks, under the base folder, whatever the habitat's profile folders.
    static QString Folder() {
        return IHabitat::Instance().GetBaseDir() + prefbook::VL550ProfileCfgImpl::kFolder;
    }

    prefbook::VL550ProfileCfgImpl& Store() { return store_.Get(); }

    LazyStore<prefbook::VL550ProfileCfgImpl> store_;
};

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(VL550Adapter)

}  // namespace prefbookctl
