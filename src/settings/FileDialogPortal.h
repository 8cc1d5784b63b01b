#pragma once

#if !defined(_WIN32)

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

#include "settings/FileDialog.h"

// The desktop's file chooser, asked through the XDG desktop portal on the session bus.
namespace prefbook {

constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kFileChooser[] = "org.freedesktop.portal.FileChooser";
constexpr char kPortalRequest[] = "org.freedesktop.portal.Request";

// One filter as the portal takes it: a name and (kind, pattern) pairs, kind 0 a glob.
struct PortalPattern {
    uint kind = 0;
    QString pattern;
};
struct PortalFilter {
    QString name;
    QList<PortalPattern> patterns;
};
using PortalFilters = QList<PortalFilter>;  // D-Bus signature a(sa(us))

QDBusArgument& operator<<(QDBusArgument& arg, const PortalPattern& pattern);
const QDBusArgument& operator>>(const QDBusArgument& arg, PortalPattern& pattern);
QDBusArgument& operator<<(QDBusArgument& arg, const PortalFilter& filter);
const QDBusArgument& operator>>(const QDBusArgument& arg, PortalFilter& filter);
void RegisterPortalTypes();

// The "options" argument of OpenFile and SaveFile for a request, without the handle token.
QVariantMap PortalOptions(const FileDialogRequest& request);

// The portal's answer turned into a path: the first file URI, with the default suffix added to a
// saved name that has none (the Windows dialog does the same). Empty for anything else.
QString PortalResultPath(const FileDialogRequest& request, uint response, const QVariantMap& results);

}  // namespace prefbook

Q_DECLARE_METATYPE(prefbook::PortalPattern)
Q_DECLARE_METATYPE(prefbook::PortalFilter)

#endif
