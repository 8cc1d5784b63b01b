#include "ToolHost.h"

#include <QDir>
#include <QMap>

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"
#include "profilecore/DeviceType.h"

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

ToolHabitat*& Installed() {
    static ToolHabitat* habitat = nullptr;
    return habitat;
}

}  // namespace

prefbook::StoreHost ToolHost() {
    return {&IHabitat::Instance(), &Capture(), &prefbook::SystemClock::Instance()};
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
