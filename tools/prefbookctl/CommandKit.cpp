#include "CommandKit.h"

#include <QDir>
#include <QJsonObject>

#include "SystemReason.h"
#include "ToolHost.h"
#include "hostservices/IHabitat.h"
#include "profilecore/ProfileFolder.h"
#include "settings/StoreForwarding.h"

namespace prefbookctl {

QString BaseDir() {
    return IHabitat::Instance().GetBaseDir();
}

Options& Invocation() {
    static Options options;
    return options;
}

void ExpectArgs(const QStringList& args, int count, const char* usage) {
    if (args.size() != count) throw UsageError{QString("usage: prefbookctl ") + usage};
}

void Print(const QVector<Section>& sections, bool json) {
    if (json) {
        QJsonObject object{{"base", BaseDir()}};
        for (const Section& s : sections) object.insert(s.key, s.table.ToJson());
        PrintJson(object);
        return;
    }
    QString text = "Base folder: " + BaseDir() + "\n";
    for (const Section& s : sections) {
        text += "\n" + s.title + "\n" + s.table.ToText();
        if (s.table.RowCount() == 0) text += "(none)\n";
    }
    PrintText(text);
}

StoreAdapter& Adapter(const QString& model) {
    // A device type number names the store that serves the type, as the suite sees it.
    bool isType = false;
    const int type = model.toInt(&isType);
    if (isType) {
        const prefbook::ServingStore* store = prefbook::StoreServing(type);
        if (!store) throw UsageError{"device type " + model + " is served by no store"};
        return Adapter(store->model);
    }
    StoreAdapter* adapter = FindAdapter(model);
    if (!adapter) {
        QStringList names;
        for (const auto& a : Adapters()) names << a->Names();
        throw UsageError{"unknown model '" + model + "': expected one of " + names.join(", ")};
    }
    return *adapter;
}

bool IsDocument(const QFileInfo& file) {
    return file.suffix() == QLatin1String("xml") || file.suffix() == QLatin1String("bin");
}

QString WithReason(const QString& error, const QString& path) {
    const QString why = WriteBlocker(path);
    return why.isEmpty() ? error : error + "\n  " + path + ": " + why;
}

QString WithFolderReason(const QString& error, const QString& folder) {
    const QString why = WriteBlocker(folder + "new document");
    return why.isEmpty() ? error : error + "\n  " + folder + ": " + why;
}

void RefuseSavingDefaults(StoreAdapter& adapter, const QString& command) {
    const StoreSummary summary = adapter.Summary();
    AllowFolderCreation();  // the save needs the folder; everything above only looked
    if (Invocation().force || summary.document != QLatin1String("defaults")) return;
    for (const QFileInfo& file : prefbook::ListProfileFolder(summary.profileDir)) {
        if (!IsDocument(file)) continue;
        throw RunError{summary.model + " could not load " + file.absoluteFilePath() +
                       " and holds its defaults; " + command + " would save them over it (see '" +
                       HintCommand({"doctor", adapter.Names().first()}) + "'). Add --force to save anyway."};
    }
}

void CheckSaved(StoreAdapter& saver) {
    const std::unique_ptr<StoreAdapter> fresh = NewAdapter(saver);
    if (!fresh) return;
    const StoreSummary loaded = fresh->Summary();
    if (loaded.document == QLatin1String("defaults") || fresh->Show().ToJson() != saver.Show().ToJson())
        throw RunError{saver.Summary().model + " reported the save done, but " + loaded.profileDir +
                       " does not load it back (it loads " + loaded.document + "; see '" +
                       HintCommand({"doctor", saver.Names().first()}) + "')"};
}

}  // namespace prefbookctl
