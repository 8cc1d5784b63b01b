#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include "settings/FileDialogPortal.h"
#include "settings/Prefbook.h"

namespace prefbook::test {
namespace {

// A file chooser portal on the test's own bus: records the call, answers with the request handle,
// then sends the configured Response (or, with vanish set, leaves the bus without answering).
class StandInPortal final : public QDBusVirtualObject {
public:
    uint response = 0;
    QStringList uris;
    bool vanish = false;
    QDBusMessage call;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
        if (message.interface() != kFileChooser) return false;
        call = message;
        const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().value(2));
        QString sender = message.service().mid(1);
        sender.replace('.', '_');
        const QString handle =
            QString(kPortalPath) + "/request/" + sender + "/" + options["handle_token"].toString();
        bus.send(message.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
        if (vanish) {
            QTimer::singleShot(
                20, [name = bus.name()] { QDBusConnection(name).unregisterService(kPortalService); });
            return true;
        }
        QDBusMessage answer = QDBusMessage::createSignal(handle, kPortalRequest, "Response");
        answer << response << QVariantMap{{"uris", uris}};
        bus.send(answer);
        return true;
    }
    QVariantMap Options() const { return qdbus_cast<QVariantMap>(call.arguments().value(2)); }
};

class PortalDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_dialogs";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty()) return;
        daemon_ = new QProcess;
        daemon_->start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (daemon_->waitForReadyRead(10000)) address_ = daemon_->readLine().trimmed();
        // The library's session bus is this private one from its first use on.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_);
    }
    static void TearDownTestSuite() {
        QDBusConnection::disconnectFromBus("stand-in");
        if (daemon_) {
            daemon_->terminate();
            daemon_->waitForFinished();
            delete daemon_;
            daemon_ = nullptr;
        }
    }

    void SetUp() override {
        if (address_.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed or did not start (scripts/setup installs it)";
        bus_ = QDBusConnection::connectToBus(QString::fromUtf8(address_), "stand-in");
        ASSERT_TRUE(bus_.isConnected());
    }
    void TearDown() override {
        bus_.unregisterObject(kPortalPath);
        bus_.unregisterService(kPortalService);
    }

    void Serve() {
        ASSERT_TRUE(bus_.registerService(kPortalService));
        ASSERT_TRUE(bus_.registerVirtualObject(kPortalPath, &portal_));
    }

    StandInPortal portal_;
    QDBusConnection bus_{QString()};
    static inline QProcess* daemon_ = nullptr;
    static inline QByteArray address_;
};

// Non-ASCII text travels both ways: title and folder out, the percent-encoded answer back.
TEST_F(PortalDialog, OpenSendsTheRequestAndReturnsTheChosenFile) {
    Serve();
    const QString folder = QString::fromUtf8("/home/user/Profil\xc3\xa9s");
    portal_.uris = QStringList{"file:///home/user/Profil%C3%A9s/%E6%BC%A2%20blue.xml"};
    EXPECT_EQ(Prefbook::getOpenFileName(PrefbookWindow(0x1a2b), QString::fromUtf8("Import \xc3\x9c"), folder,
                                        L"Profiles\0*.xml;*.bak\0All files\0*.*\0"),
              folder + QString::fromUtf8("/\xe6\xbc\xa2 blue.xml"));

    EXPECT_EQ(portal_.call.member(), "OpenFile");
    EXPECT_EQ(portal_.call.arguments().value(0).toString(), "x11:1a2b");
    EXPECT_EQ(portal_.call.arguments().value(1).toString(), QString::fromUtf8("Import \xc3\x9c"));
    const QVariantMap options = portal_.Options();
    EXPECT_TRUE(options["modal"].toBool());
    EXPECT_EQ(options["current_folder"].toByteArray(), QByteArray("/home/user/Profil\xc3\xa9s\0", 21));
    const QDBusArgument filtersArg = options["filters"].value<QDBusArgument>();
    EXPECT_EQ(filtersArg.currentSignature(), "a(sa(us))");
    PortalFilters filters;
    filtersArg >> filters;
    QStringList flat;  // "name: kind pattern, ..."
    for (const PortalFilter& f : filters) {
        flat << f.name + ":";
        for (const PortalPattern& p : f.patterns) flat.last() += QString(" %1 %2").arg(p.kind).arg(p.pattern);
    }
    // "*.*" is every file to the Windows dialog; the portal needs "*" to offer names without a dot.
    EXPECT_EQ(flat, QStringList({"Profiles: 0 *.xml 0 *.bak", "All files: 0 *"}));
}

// A foreign answer gives an empty path, not the bare extension.
TEST_F(PortalDialog, SaveAddsTheDefaultExtensionToABareName) {
    Serve();
    for (auto [uri, ext, expected] : {std::tuple{"file:///tmp/out", L"xml", "/tmp/out.xml"},
                                      {"file:///tmp/out.bak", L"xml", "/tmp/out.bak"},
                                      {"file:///tmp/out", nullptr, "/tmp/out"},
                                      {"https://example.org/out", L"xml", ""}}) {
        portal_.uris = QStringList{uri};
        EXPECT_EQ(Prefbook::getSaveFileName(PrefbookWindow{}, "Export", "", L"Profiles\0*.xml\0", ext),
                  expected);
        EXPECT_EQ(portal_.call.member(), "SaveFile");
        EXPECT_EQ(portal_.call.arguments().value(0).toString(), "");  // no parent window
        EXPECT_FALSE(portal_.Options().contains("current_folder"));
    }
}

TEST_F(PortalDialog, CancelAndFailureGiveAnEmptyPath) {
    Serve();
    for (const auto& [response, uris] :
         {std::pair<uint, QStringList>{1, {}}, {2, {"file:///tmp/a.xml"}}, {0, {}}}) {
        portal_.response = response;
        portal_.uris = uris;
        EXPECT_EQ(Prefbook::getOpenFileName(PrefbookWindow{}, "Import", "", nullptr), "") << response;
        EXPECT_EQ(portal_.call.member(), "OpenFile");  // the portal was asked
    }
}

TEST_F(PortalDialog, NoPortalOrAVanishingOneGivesAnEmptyPathAtOnce) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(Prefbook::getSaveFileName(PrefbookWindow{}, "Export", "", nullptr, L"xml"), "");
    Serve();
    portal_.vanish = true;
    EXPECT_EQ(Prefbook::getOpenFileName(PrefbookWindow{}, "Import", "", nullptr), "");
    EXPECT_EQ(portal_.call.member(), "OpenFile");
    EXPECT_LT(timer.elapsed(),
              5000);  // not the bus's call timeout: nobody waits for an answer that cannot come
}

}  // namespace
}  // namespace prefbook::test
