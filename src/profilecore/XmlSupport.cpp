#include "profilecore/XmlSupport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QVariant>
#include <charconv>
#include <memory>
#include <vector>

#include "profilecore/FolderSync.h"
#include "profilecore/RegularFile.h"

namespace prefbook {

int32_t parseInt(QStringRef text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

uint16_t parseU16(QStringRef text) {
    bool ok = false;
    const ushort value = text.toUShort(&ok);
    return ok ? value : 0;
}

int32_t attrInt(const QXmlStreamAttributes& attrs, QLatin1String name) {
    return parseInt(attrs.value(name));
}

uint8_t attrU8(const QXmlStreamAttributes& attrs, QLatin1String name) {
    return static_cast<uint8_t>(static_cast<uint32_t>(attrInt(attrs, name)) & 0xFFu);
}

uint16_t attrU16(const QXmlStreamAttributes& attrs, QLatin1String name) {
    return parseU16(attrs.value(name));
}

uint32_t attrU32(const QXmlStreamAttributes& attrs, QLatin1String name) {
    bool ok = false;
    const uint value = attrs.value(name).toUInt(&ok);
    return ok ? value : 0;
}

std::string attrUtf8(const QXmlStreamAttributes& attrs, QLatin1String name) {
    const QByteArray bytes = attrs.value(name).toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString attrString(const QXmlStreamAttributes& attrs, QLatin1String name) {
    return attrs.value(name).toString();
}

int FormatDecimal(char* out, qlonglong value) {
    return static_cast<int>(std::to_chars(out, out + 20, value).ptr - out);
}

namespace {

// The texts of the small numbers that make up most of a document, made once: a copy of a QString
// shares its text, where formatting makes a new allocation for every number.
constexpr int kSharedNumbers = 1024;

const QString* SharedNumbers() {
    static const std::vector<QString> texts = [] {
        std::vector<QString> made;
        made.reserve(kSharedNumbers);
        char digits[20];
        for (int i = 0; i < kSharedNumbers; ++i)
            made.push_back(QString::fromLatin1(digits, FormatDecimal(digits, i)));
        return made;
    }();
    return texts.data();
}

}  // namespace

QString DecimalText(qlonglong value) {
    if (value >= 0 && value < kSharedNumbers) return SharedNumbers()[value];
    char digits[20];
    return QString::fromLatin1(digits, FormatDecimal(digits, value));
}

void writeNumber(QXmlStreamWriter& w, QLatin1String name, qlonglong value) {
    // The writer copies the name out at once, so one buffer per thread serves every attribute name
    // instead of an allocation for each.
    thread_local QString nameText;
    nameText.resize(name.size());
    QChar* out = nameText.data();
    for (int i = 0; i < name.size(); ++i) out[i] = QLatin1Char(name.data()[i]);
    w.writeAttribute(nameText, DecimalText(value));
}

namespace {

const char kLeftOutMark[] = "prefbook-left-out";

bool XmlChar(uint c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// The text without the characters XML cannot carry; the text itself (no copy) when it has none.
QString XmlSafe(const QString& text, bool& leftOut) {
    const int n = text.size();
    QString safe;
    int copied = 0;  // text before this index is settled (in safe, once something was left out)
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        int width = 1;
        uint code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text.at(i + 1));
            width = 2;
        }
        if (!XmlChar(code)) {
            safe += text.midRef(copied, i - copied);
            copied = i + 1;
            leftOut = true;
        }
        i += width - 1;
    }
    if (copied == 0) return text;
    safe += text.midRef(copied);
    return safe;
}

}  // namespace

void writeText(QXmlStreamWriter& w, const QString& name, const QString& value) {
    bool leftOut = false;
    w.writeAttribute(name, XmlSafe(value, leftOut));
    if (leftOut && w.device()) w.device()->setProperty(kLeftOutMark, true);
}

void writeUtf8(QXmlStreamWriter& w, const QString& name, const std::string& value) {
    writeText(w, name, QString::fromUtf8(value.data(), static_cast<int>(value.size())));
}

void ForEachChild(QXmlStreamReader& r, const std::function<bool(QStringRef name)>& handle) {
    while (r.readNextStartElement()) {
        if (!handle(r.name())) r.skipCurrentElement();
    }
    if (r.hasError()) throw ProfileReadError{};
}

bool NextToken(QXmlStreamReader& r) {
    if (r.atEnd() || r.hasError()) return false;
    r.readNext();
    return !r.hasError();
}

void WalkDocument(QXmlStreamReader& r, QLatin1String root,
                  const std::function<void(const QXmlStreamAttributes&)>& onRoot,
                  const std::function<bool(QStringRef name)>& onElement) {
    while (NextToken(r)) {
        if (!r.isStartElement()) continue;
        if (r.name() == root) {
            onRoot(r.attributes());
        } else if (!onElement(r.name())) {
            r.skipCurrentElement();
        }
    }
}

bool ReadXmlDevice(const StoreHost& host, QIODevice& device, const QString& path, const QString& parseFailure,
                   const ReadBody& body) {
    QXmlStreamReader r(&device);
    try {
        body(r);
    } catch (const ProfileReadError&) {
        if (!parseFailure.isEmpty()) host.Log(parseFailure + path + " : " + r.errorString());
    }
    if (r.hasError()) {
        host.Log("Failed to parse file " + path + " : " + r.errorString());
        return false;
    }
    const auto* file = dynamic_cast<const QFileDevice*>(&device);
    if (file && file->error() != QFileDevice::NoError) {
        host.Log("Cannot read file " + path + " : " + r.errorString());
        return false;
    }
    return true;
}

bool ReadXmlFile(const StoreHost& host, const QString& path, const QString& parseFailure,
                 const ReadBody& body) {
    QFile file;
    const QString error = OpenRegularFile(file, path, QIODevice::Text);
    if (!error.isEmpty()) {
        host.Log("Open " + path + " Failed : " + error);
        return false;
    }
    const bool ok = ReadXmlDevice(host, file, path, parseFailure, body);
    file.close();
    return ok;
}

void BeginXmlDocument(QXmlStreamWriter& w) {
    w.setCodec("utf-8");
    w.setAutoFormatting(true);
    w.writeStartDocument(QStringLiteral("1.0"));
}

bool WriteXmlDevice(QIODevice& device, const WriteBody& body) {
    // Formatted into memory and handed over in one write: through a file's own buffer every small
    // piece the writer emits would be copied once more.
    QByteArray text;
    QBuffer buffer(&text);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter w(&buffer);
    BeginXmlDocument(w);
    body(w);
    w.writeEndDocument();
    if (buffer.property(kLeftOutMark).toBool()) device.setProperty(kLeftOutMark, true);
    return !w.hasError() && device.write(text) == text.size();
}

namespace {

// What a direct open of path for writing reports, the text a person recognises ("Is a directory"),
// where the atomic writer's own texts speak of its temporary file. Nothing is truncated, and a file is
// only created (and removed again) where the atomic writer already failed although the folder exists.
QString DirectOpenError(const QString& path, const QString& fallback) {
    QFile direct(path);
    if (QFileInfo::exists(path)) {
        if (!direct.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return direct.errorString();
        return fallback;
    }
    if (!direct.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return direct.errorString();
    direct.remove();
    return fallback;
}

// The file a person will find: a temporary file of the rotation ("<stamp>.tmp") is gone once the save
// renames it to its document "<stamp>.xml".
QString DocumentOf(const QString& path, WriteMode mode) {
    const QLatin1String tmp(".tmp");
    if (mode != WriteMode::Direct || !path.endsWith(tmp)) return path;
    return path.leftRef(path.size() - tmp.size()) + QLatin1String(".xml");
}

}  // namespace

bool WriteXmlFile(const StoreHost& host, const QString& path, WriteMode mode, const WriteBody& body) {
    std::unique_ptr<QFileDevice> file;
    if (mode == WriteMode::Atomic) {
        file = std::make_unique<QSaveFile>(path);
    } else {
        file = std::make_unique<QFile>(path);
    }
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        const QString error = file->errorString();
        host.Log("Open " + path +
                 " Failed : " + (mode == WriteMode::Atomic ? DirectOpenError(path, error) : error));
        return false;
    }
    bool ok = WriteXmlDevice(*file, body) && file->flush();
    if (mode == WriteMode::Atomic) {
        auto* save = static_cast<QSaveFile*>(file.get());
        if (ok) {
            ok = save->commit();
            if (ok) SyncFolderOf(path);  // the rename reaches the disk only with its folder
        } else {
            save->cancelWriting();
            save->commit();
        }
    } else {
        file->close();
        ok = ok && file->error() == QFileDevice::NoError;
    }
    if (file->property(kLeftOutMark).toBool()) {
        host.Log("Characters XML cannot carry were left out of " + DocumentOf(path, mode));
    }
    if (!ok) host.Log("Failed to write file " + path + " : " + file->errorString());
    return ok;
}

bool WriteGuardedXmlFile(const StoreHost& host, const QString& path, WriteMode mode, const QString& failure,
                         const WriteBody& body) {
    try {
        return WriteXmlFile(host, path, mode, body);
    } catch (...) {
        host.Log(failure + path);
        return false;
    }
}

}  // namespace prefbook
