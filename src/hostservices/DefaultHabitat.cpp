#include <QDir>
#include <QStandardPaths>
#include <atomic>

#include "hostservices/IHabitat.h"
#include "profilecore/DeviceType.h"

namespace {

QString ChooseBaseDir() {
    const QByteArray fromEnv = qgetenv("PREFBOOK_BASE_DIR");
    if (!fromEnv.isEmpty()) return QString::fromLocal8Bit(fromEnv);
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) data = QDir::homePath() + "/.local/share";
    return data + "/prefbook";
}

// Directories are fixed when the habitat is built, so the references it hands out stay valid and
// reading them from several threads is safe.
class DefaultHabitat final : public IHabitat {
public:
    DefaultHabitat()
        : base_(ChooseBaseDir()),
          app_(base_ + "/app"),
          log_(base_ + "/log"),
          user_(base_ + "/user"),
          temp_(QDir::tempPath()) {}

    const QString& GetAppDir() override { return app_; }
    const QString& GetBaseDir() override { return base_; }
    const QString& GetLogDir() override { return log_; }
    const QString& GetUserDir() override { return user_; }
    const QString& GetTempDir() override { return temp_; }
    void GetProfileDir(int type, QString* dir) override {
        if (!dir) return;
        *dir = base_ + "/profile/" + QString::fromStdString(ProfileFolderName(type)) + "/";
        QDir().mkpath(*dir);
    }

private:
    const QString base_, app_, log_, user_, temp_;
};

std::atomic<IHabitat*> g_installed{nullptr};

}  // namespace

IHabitat& IHabitat::Instance() {
    if (IHabitat* installed = g_installed.load(std::memory_order_acquire)) return *installed;
    static DefaultHabitat habitat;
    return habitat;
}

void IHabitat::Install(IHabitat* habitat) {
    g_installed.store(habitat, std::memory_order_release);
}
