#include "BenchSupport.h"

#include <fcntl.h>
#include <malloc.h>
#include <stdio.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "profilecore/DeviceType.h"

namespace prefbook::bench {

BenchHabitat::BenchHabitat() : base_(temp_.path()) {}

void BenchHabitat::GetProfileDir(int type, QString* dir) {
    *dir = base_ + "/profile/" + QString::fromStdString(ProfileFolderName(type)) + "/";
    QDir().mkpath(*dir);
}

std::vector<StoreCase>& Catalogue() {
    static std::vector<StoreCase> cases;
    return cases;
}

const StoreCase* FindCase(const std::string& name) {
    for (const StoreCase& c : Catalogue()) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

QString OnlyDocument(BenchHost& host, int deviceType) {
    QString dir;
    host.habitat.GetProfileDir(deviceType, &dir);
    const QFileInfoList files = QDir(dir).entryInfoList(QDir::Files, QDir::Time);
    return files.isEmpty() ? QString() : files.first().absoluteFilePath();
}

QStringList CaseDocuments(BenchHost& host, const StoreCase& c) {
    QStringList docs;
    for (int type : c.deviceTypes) {
        const QString doc = OnlyDocument(host, type);
        if (doc.isEmpty()) return {};
        docs << doc;
    }
    return docs;
}

long long TotalSize(const QStringList& paths) {
    long long bytes = 0;
    for (const QString& p : paths) bytes += QFileInfo(p).size();
    return bytes;
}

long long RawScanAndConvert(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return -1;
    QXmlStreamReader r(&file);
    long long sum = 0;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement) continue;
        for (const QXmlStreamAttribute& a : r.attributes()) sum += a.value().toInt();
    }
    return r.hasError() ? -1 : sum;
}

RawEmitter::RawEmitter(const QString& documentPath) {
    QFile file(documentPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    QXmlStreamReader r(&file);
    while (!r.atEnd()) {
        const auto type = r.readNext();
        if (type == QXmlStreamReader::StartElement) {
            tokens_.push_back({type, r.name().toString(), r.attributes()});
        } else if (type == QXmlStreamReader::EndElement) {
            tokens_.push_back({type, {}, {}});
        }
    }
}

void RawEmitter::EmitInto(const QString& dir) {
    const QString stem = dir + "raw-" + QString::number(++counter_);
    {
        QFile file(stem + ".tmp");
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return;
        QXmlStreamWriter w(&file);
        w.setCodec("utf-8");
        w.setAutoFormatting(true);
        w.writeStartDocument("1.0");
        for (const Token& t : tokens_) {
            if (t.type == QXmlStreamReader::StartElement) {
                w.writeStartElement(t.name);
                w.writeAttributes(t.attributes);
            } else {
                w.writeEndElement();
            }
        }
        w.writeEndDocument();
        file.flush();
        ::fsync(file.handle());
    }
    const std::string from = (stem + ".tmp").toStdString();
    const std::string to = (stem + ".xml").toStdString();
    ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    const int fd = ::open(dir.toStdString().c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(fd);
    ::close(fd);
    ::unlink(to.c_str());  // keep the folder small, as the store's pruning does
}

MacroRecord BenchMacroRecord(int actions) {
    MacroRecord record{};
    record.actionCount = static_cast<uint8_t>(actions);
    for (int a = 0; a < actions; ++a)
        record.actions[a] = {uint16_t(4 + a % 100), uint8_t(a & 1), uint16_t(a * 7)};
    return record;
}

long long HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

}  // namespace prefbook::bench
