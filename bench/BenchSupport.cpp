#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdio.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "profilecore/DeviceType.h"
#include "profilecore/XmlSupport.h"

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

QDateTime SteppingClock::Now() const {
    return QDateTime::fromMSecsSinceEpoch(QDateTime::currentMSecsSinceEpoch() + 1000 * step_++);
}

long long RawLoad(const QString& path, bool xml) {
    QFile file(path);
    if (!file.open(xml ? QIODevice::ReadOnly | QIODevice::Text : QIODevice::ReadOnly)) return -1;
    if (!xml) return file.readAll().size();
    QXmlStreamReader r(&file);
    long long sum = 0;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes attributes = r.attributes();
        for (const QXmlStreamAttribute& a : attributes) sum += a.value().toInt();
    }
    return r.hasError() ? -1 : sum;
}

RawEmitter::RawEmitter(const QString& path, bool xml) : xml_(xml) {
    QFile file(path);
    if (!file.open(xml ? QIODevice::ReadOnly | QIODevice::Text : QIODevice::ReadOnly)) return;
    if (!xml) {
        bytes_ = file.readAll();
        return;
    }
    QXmlStreamReader r(&file);
    while (!r.atEnd()) {
        const auto type = r.readNext();
        if (type == QXmlStreamReader::EndElement) elements_.push_back({});
        if (type != QXmlStreamReader::StartElement) continue;
        Element e{r.name().toString(), {}};
        const QXmlStreamAttributes attributes = r.attributes();
        for (const QXmlStreamAttribute& a : attributes) {
            bool number = false;
            const qlonglong value = a.value().toLongLong(&number);
            // Only text that is exactly the decimal form of its number is kept as a number.
            if (number && DecimalText(value) == a.value()) {
                e.attributes.push_back({a.name().toString(), QString(), value});
            } else {
                e.attributes.push_back({a.name().toString(), a.value().toString(), 0});
            }
        }
        elements_.push_back(std::move(e));
    }
}

void RawEmitter::WriteXml(QIODevice& file) const {
    QXmlStreamWriter w(&file);
    w.setCodec("utf-8");
    w.setAutoFormatting(true);
    w.writeStartDocument(QStringLiteral("1.0"));
    for (const Element& e : elements_) {
        if (e.name.isNull()) {
            w.writeEndElement();
            continue;
        }
        w.writeStartElement(e.name);
        for (const Attribute& a : e.attributes) {
            if (a.text.isNull()) {
                w.writeAttribute(a.name, DecimalText(a.number));
            } else {
                w.writeAttribute(a.name, a.text);
            }
        }
    }
    w.writeEndDocument();
}

void RawEmitter::EmitInto(const QString& dir) {
    const QString stem = dir + "raw-" + QString::number(++counter_);
    {
        QFile file(stem + ".tmp");
        if (!file.open(xml_ ? QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text
                            : QIODevice::WriteOnly | QIODevice::NewOnly))
            return;
        if (xml_) {
            WriteXml(file);
        } else {
            file.write(bytes_);
        }
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

CaseLimits::CaseLimits(BenchHost& host, const StoreCase& c)
    : documents_(CaseDocuments(host, c)), xml_(c.xml) {
    if (c.images) {
        QDirIterator it(host.habitat.GetUserDir() + "/artworks", QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) images_ << it.next();
    }
    for (const QString& d : documents_) emitters_.emplace_back(d, xml_);
    for (const QString& i : images_) emitters_.emplace_back(i, false);
}

void CaseLimits::Load() const {
    for (const QString& d : documents_) benchmark::DoNotOptimize(RawLoad(d, xml_));
    for (const QString& i : images_) benchmark::DoNotOptimize(RawLoad(i, false));
}

void CaseLimits::Save(const QString& dir) {
    for (RawEmitter& e : emitters_) e.EmitInto(dir);
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
