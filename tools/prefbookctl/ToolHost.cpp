#include "ToolHost.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <cstdio>

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"
#include "profilecore/DeviceType.h"
#include "profilecore/ProfileFolder.h"

namespace prefbookctl {

namespace {

class CapturingTracebook final : public ITracebook {
public:
    void WriteLog(const QString& message) override { lines_ << message; }
    void WriteLogDetail(const QString& message) override { lines_ << "detail: " + message; }

    QStringList Take() {
        QStringList lines;
        lines.swap(lines_);
        return lines;
    }

private:
    QStringList lines_;  // the tool is single-threaded
};

CapturingTracebook& Capture() {
    static CapturingTracebook capture;
    return capture;
}

// The default habitat's folders, without its creating every profile folder it is asked about.
class ToolHabitat final : public IHabitat {
public:
    explicit ToolHabitat(IHabitat& inner) : inner_(inner) {}

    const QString& GetAppDir() override { return inner_.GetAppDir(); }
    const QString& GetBaseDir() override { return inner_.GetBaseDir(); }
    const QString& GetLogDir() override { return inner_.GetLogDir(); }
    const QString& GetUserDir() override { return inner_.GetUserDir(); }
    const QString& GetTempDir() override { return inner_.GetTempDir(); }
    void GetProfileDir(int type, QString* dir) override {
        if (!dir) return;
        *dir = redirects_.value(type);
        if (!dir->isEmpty()) return;
        *dir = inner_.GetBaseDir() + "/profile/" + QString::fromStdString(ProfileFolderName(type)) + "/";
        if (create_) QDir().mkpath(*dir);
    }

    bool create_ = false;
    QMap<int, QString> redirects_;

private:
    IHabitat& inner_;
};

// A folder's newest document as it stands: a save by anyone else changes it.
struct DocumentIdentity {
    QString name;
    qint64 modifiedMs = 0;
    qint64 size = 0;
    bool operator==(const DocumentIdentity& o) const {
        return name == o.name && modifiedMs == o.modifiedMs && size == o.size;
    }
};

DocumentIdentity NewestDocument(const QString& folder) {
    for (const QFileInfo& file : prefbook::ListProfileFolder(folder)) {
        if (file.suffix() != QLatin1String("xml") && file.suffix() != QLatin1String("bin")) continue;
        return {file.fileName(), file.lastModified().toMSecsSinceEpoch(), file.size()};
    }
    return {};
}

QString FolderKey(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// The library's save steps, with the check that a folder still holds the newest document this run
// saw; it runs under the library's folder lock, the one every save of the folder takes.
class GuardedSteps final : public prefbook::FileSteps {
public:
    prefbook::RenameResult RenameNoReplace(const prefbook::SaveTarget& save) const override {
        const QString from = save.TmpPath();
        const QString to = save.DocumentPath();
        const QString folder = FolderKey(QFileInfo(to).path());
        const auto seen = seen_.find(folder);
        if (seen != seen_.end()) {
            const DocumentIdentity now = NewestDocument(folder + '/');
            if (!(now == seen.value())) {
                conflict_ = folder + " changed while this command ran: its newest document is now " +
                            (now.name.isEmpty() ? QStringLiteral("none") : now.name) + ", not " +
                            (seen->name.isEmpty() ? QStringLiteral("none") : seen->name) +
                            " (another program saved); nothing saved, run the command again";
                std::remove(QFile::encodeName(from).constData());  // the library would try again with it
                return prefbook::RenameResult::Failed;
            }
        }
        const prefbook::RenameResult result = FileSteps::System().RenameNoReplace(save);
        if (result == prefbook::RenameResult::Done) {
            saved_ = to;
            if (seen != seen_.end())
                seen.value() = NewestDocument(folder + '/');  // a second save follows the first
        }
        return result;
    }

    mutable QMap<QString, DocumentIdentity> seen_;
    mutable QString conflict_;
    mutable QString saved_;
};

GuardedSteps& Steps() {
    static GuardedSteps steps;
    return steps;
}

ToolHabitat*& Installed() {
    static ToolHabitat* habitat = nullptr;
    return habitat;
}

}  // namespace

prefbook::StoreHost ToolHost() {
    return {&IHabitat::Instance(), &Capture(), &prefbook::SystemClock::Instance(), &Steps()};
}

void NoteNewestDocuments() {
    Steps().seen_.clear();
    for (int type = 0; type < kDeviceTypeCount; ++type) {
        const QString folder = FolderKey(ProfileDir(type));
        if (!Steps().seen_.contains(folder)) Steps().seen_.insert(folder, NewestDocument(folder + '/'));
    }
}

QString LastSavedDocument() {
    return Steps().saved_;
}

QString TakeSaveConflict() {
    QString conflict;
    conflict.swap(Steps().conflict_);
    return conflict;
}

QStringList TakeLog() {
    return Capture().Take();
}

void InstallToolHabitat() {
    if (Installed()) return;
    static ToolHabitat habitat(IHabitat::Instance());
    Installed() = &habitat;
    IHabitat::Install(&habitat);
}

void AllowFolderCreation() {
    InstallToolHabitat();
    Installed()->create_ = true;
}

void RedirectProfileDir(int deviceType, const QString& dir) {
    InstallToolHabitat();
    if (dir.isEmpty()) {
        Installed()->redirects_.remove(deviceType);
    } else {
        Installed()->redirects_.insert(deviceType, dir.endsWith('/') ? dir : dir + '/');
    }
}

QString ProfileDir(int deviceType) {
    QString dir;
    IHabitat::Instance().GetProfileDir(deviceType, &dir);
    return dir;
}

}  // namespace prefbookctl
