#include "profilecore/SafeFileName.h"

#include <QCryptographicHash>
#include <QStringList>

namespace prefbook {

namespace {

constexpr int kHashDigits = 32;

bool Plain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

void Escape(QString& out, unsigned char c) {
    static const char kHex[] = "0123456789ABCDEF";
    out += QLatin1Char('%');
    out += QLatin1Char(kHex[c >> 4]);
    out += QLatin1Char(kHex[c & 15]);
}

// Windows opens the device, not a file, for these names whatever follows the first dot.
bool WindowsDeviceName(const QString& component) {
    static const QStringList kDevices = {"CON", "PRN", "AUX", "NUL"};
    const QString base = component.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    if (kDevices.contains(base)) return true;
    return base.size() == 4 &&
           (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))) &&
           base[3].isDigit();
}

}  // namespace

QString SafeFileName(const std::string& name) {
    if (name.empty()) return QStringLiteral("%");
    QString out;
    out.reserve(static_cast<int>(name.size()));
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        // A blank or dot at either end is dropped or special on Windows ("a." is "a"; "." and "..").
        const bool inner = i > 0 && i + 1 < name.size() && (c == ' ' || c == '.');
        if (Plain(c) || inner) {
            out += QLatin1Char(static_cast<char>(c));
        } else {
            Escape(out, c);
        }
    }
    if (WindowsDeviceName(out)) {
        const auto first = static_cast<unsigned char>(name[0]);
        out.remove(0, 1);
        QString escaped;
        Escape(escaped, first);
        out.prepend(escaped);
    }
    if (out.size() <= kSafeFileNameMax) return out;
    int keep = kSafeFileNameMax - 1 - kHashDigits;
    const int escape = out.lastIndexOf(QLatin1Char('%'), keep - 1);
    if (escape >= 0 && escape + 3 > keep) keep = escape;  // never half an escape
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromRawData(name.data(), int(name.size())),
                                                     QCryptographicHash::Sha256);
    return out.left(keep) + QLatin1Char('~') + QString::fromLatin1(hash.toHex().left(kHashDigits));
}

bool NameFromSafeFileName(const QString& component, std::string& name) {
    std::string decoded;
    if (component != QLatin1String("%")) {
        for (int i = 0; i < component.size();) {
            const ushort c = component[i].unicode();
            if (c == '%') {
                bool ok = false;
                const int value = component.midRef(i + 1, 2).toInt(&ok, 16);
                if (!ok || i + 3 > component.size()) return false;
                decoded += static_cast<char>(value);
                i += 3;
            } else if (c < 0x80) {
                decoded += static_cast<char>(c);
                ++i;
            } else {
                return false;
            }
        }
    }
    // Only the form SafeFileName gives stands for a name: no second spelling, no hashed form.
    if (SafeFileName(decoded) != component) return false;
    name = std::move(decoded);
    return true;
}

}  // namespace prefbook
