#if !defined(_WIN32)

#include "settings/FileDialogPortal.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <atomic>

namespace prefbook {

QDBusArgument& operator<<(QDBusArgument& arg, const PortalPattern& pattern) {
    arg.beginStructure();
    arg << pattern.kind << pattern.pattern;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, PortalPattern& pattern) {
    arg.beginStructure();
    arg >> pattern.kind >> pattern.pattern;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const PortalFilter& filter) {
    arg.beginStructure();
    arg << filter.name << filter.patterns;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, PortalFilter& filter) {
    arg.beginStructure();
    arg >> filter.name >> filter.patterns;
    arg.endStructure();
    return arg;
}

void RegisterPortalTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<PortalPattern>();
        qDBusRegisterMetaType<QList<PortalPattern>>();
        qDBusRegisterMetaType<PortalFilter>();
        qDBusRegisterMetaType<PortalFilters>();
        return true;
    }();
    (void)registered;
}

QVariantMap PortalOptions(const FileDialogRequest& request) {
    QVariantMap options{{"modal", true}};
    PortalFilters filters;
    for (const FileFilter& f : request.filters) {
        PortalFilter filter{f.description, {}};
        // "*.*" means every file to the Windows dialog; as a glob it would miss names without a dot.
        for (const QString& p : f.patterns)
            filter.patterns << PortalPattern{0, p == "*.*" ? QStringLiteral("*") : p};
        filters << filter;
    }
    if (!filters.isEmpty()) {
        options.insert("filters", QVariant::fromValue(filters));
        options.insert("current_filter", QVariant::fromValue(filters.first()));  // the Windows default
    }
    // The portal takes the folder as a zero-terminated file-system path in bytes.
    if (!request.initialDir.isEmpty())
        options.insert("current_folder", QFile::encodeName(request.initialDir) + '\0');
    return options;
}

QString PortalResultPath(const FileDialogRequest& request, uint response, const QVariantMap& results) {
    const QStringList uris = results.value("uris").toStringList();
    if (response != 0 || uris.isEmpty()) return {};  // 1: cancelled, 2: failed
    const QUrl url = QUrl::fromEncoded(uris.first().toUtf8(), QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile()) return {};
    QString path = url.toLocalFile();
    if (request.kind == FileDialogKind::Save && !request.defaultSuffix.isEmpty() &&
        QFileInfo(path).suffix().isEmpty())
        path += '.' + request.defaultSuffix;
    return path;
}

namespace {

// One OpenFile or SaveFile call: the portal answers at once with a request object and later, when
// the user is done, sends Response on it. Waits for that in a local event loop that takes no user
// input, so the suite cannot start a second dialog meanwhile.
class PortalCall : public QObject {
    Q_OBJECT
public:
    PortalCall(const QDBusConnection& bus, const FileDialogRequest& request) : bus_(bus), request_(request) {}

    QString Run() {
        static std::atomic<int> counter{0};
        const QString token = QStringLiteral("prefbook%1").arg(++counter);
        // Listen on the path the portal will use before asking, so a quick answer is not missed.
        QString sender = bus_.baseService().mid(1);
        sender.replace('.', '_');
        Listen(QString(kPortalPath) + "/request/" + sender + '/' + token);

        QDBusMessage call = QDBusMessage::createMethodCall(
            kPortalService, kPortalPath, kFileChooser,
            request_.kind == FileDialogKind::Save ? QStringLiteral("SaveFile") : QStringLiteral("OpenFile"));
        QVariantMap options = PortalOptions(request_);
        options.insert("handle_token", token);
        const QString parent = request_.owner ? "x11:" + QString::number(request_.owner, 16) : QString();
        call << parent << request_.title << options;

        QDBusPendingCallWatcher reply(bus_.asyncCall(call));
        connect(&reply, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
            const QDBusPendingReply<QDBusObjectPath> handle = *w;
            if (handle.isError()) return Finish({});  // no portal, or it refused
            if (handle.value().path() != handle_)
                Listen(handle.value().path());  // an older portal's own path
        });
        QDBusServiceWatcher portal(kPortalService, bus_, QDBusServiceWatcher::WatchForUnregistration);
        connect(&portal, &QDBusServiceWatcher::serviceUnregistered, this, [this] { Finish({}); });

        if (!done_) loop_.exec(QEventLoop::ExcludeUserInputEvents);
        Listen(QString());
        return path_;
    }

public slots:
    void Response(uint response, const QVariantMap& results) {
        Finish(PortalResultPath(request_, response, results));
    }

private:
    void Listen(const QString& handle) {
        if (!handle_.isEmpty())
            bus_.disconnect(kPortalService, handle_, kPortalRequest, "Response", this,
                            SLOT(Response(uint, QVariantMap)));
        handle_ = handle;
        if (!handle_.isEmpty())
            bus_.connect(kPortalService, handle_, kPortalRequest, "Response", this,
                         SLOT(Response(uint, QVariantMap)));
    }

    void Finish(const QString& path) {
        if (done_) return;
        done_ = true;
        path_ = path;
        loop_.quit();
    }

    QDBusConnection bus_;
    const FileDialogRequest& request_;
    QEventLoop loop_;
    QString handle_, path_;
    bool done_ = false;
};

}  // namespace

QString ShowNativeFileDialog(const FileDialogRequest& request) {
    if (!QCoreApplication::instance()) return {};  // no event loop to wait for the answer in
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return {};
    RegisterPortalTypes();
    return PortalCall(bus, request).Run();
}

}  // namespace prefbook

#include "FileDialogPortal.moc"

#endif
