#pragma once

#include <QIODevice>
#include <QString>
#include <QXmlStreamAttributes>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cstdint>
#include <functional>
#include <string>

#include "profilecore/StoreHost.h"

namespace prefbook {

// ---- Reading attributes. Absent or unparsable values read as 0 or empty. ----

int32_t attrInt(const QXmlStreamAttributes& attrs, QLatin1String name);
// The low byte of the value read as an int ("300" -> 44, "-1" -> 255).
uint8_t attrU8(const QXmlStreamAttributes& attrs, QLatin1String name);
// The value as an unsigned 16-bit number; anything outside 0..65535 reads as 0.
uint16_t attrU16(const QXmlStreamAttributes& attrs, QLatin1String name);
uint32_t attrU32(const QXmlStreamAttributes& attrs, QLatin1String name);
// The value as a narrow string in UTF-8, the form in which the writers store narrow strings.
std::string attrUtf8(const QXmlStreamAttributes& attrs, QLatin1String name);
QString attrString(const QXmlStreamAttributes& attrs, QLatin1String name);

// Number parsing with the same rules, for values taken from lists inside an attribute.
int32_t parseInt(QStringRef text);
uint16_t parseU16(QStringRef text);

// Decimal digits of a number, as QString::number gives them but without its locale machinery:
// writers format thousands of numbers per document. FormatDecimal writes at most 20 characters.
int FormatDecimal(char* out, qlonglong value);
QString DecimalText(qlonglong value);

// Writes a number attribute in decimal.
void writeNumber(QXmlStreamWriter& w, QLatin1String name, qlonglong value);

// Writes a text attribute without the characters XML 1.0 cannot carry (controls other than tab, line
// feed and carriage return, U+FFFE, U+FFFF, unpaired surrogates). The stream writer refuses the whole
// document for one of them, so one such name would make every later save fail. The writer's device
// is marked, and WriteXmlFile logs once that something was left out.
void writeText(QXmlStreamWriter& w, const QString& name, const QString& value);
// Writes a narrow string attribute, decoding the bytes as UTF-8, as writeText.
void writeUtf8(QXmlStreamWriter& w, const QString& name, const std::string& value);

// ---- Walking elements. ----

// Steps to the next token. False at the end of the document and after any error, a failed read of
// the device included: atEnd() alone waits for the device's end, which a failing read never reaches.
bool NextToken(QXmlStreamReader& r);

// Thrown by a profile reader when the stream fails inside a profile, so that the document reader logs
// the model's own parse-failure message before the generic one.
struct ProfileReadError {};

// Calls handle(name) for every child element of the current element, in order. The handler returns
// true when it read the child up to its end element, false to have the child skipped. Returns at the
// current element's end; throws ProfileReadError when the stream has failed.
void ForEachChild(QXmlStreamReader& r, const std::function<bool(QStringRef name)>& handle);

// The top of a store document: at the root element (given name) onRoot sees its attributes, every
// element directly or indirectly reached below it is offered to onElement (true: consumed), and any
// other start element, a foreign root included, is skipped whole.
void WalkDocument(QXmlStreamReader& r, QLatin1String root,
                  const std::function<void(const QXmlStreamAttributes&)>& onRoot,
                  const std::function<bool(QStringRef name)>& onElement);

// ---- Reading and writing whole documents with the common messages. ----

using ReadBody = std::function<void(QXmlStreamReader&)>;

// Reads an already open device; path names it in messages. Logs "Failed to parse file ", "Cannot read
// file " and, when the body throws ProfileReadError, parseFailure + path first.
bool ReadXmlDevice(const StoreHost& host, QIODevice& device, const QString& path, const QString& parseFailure,
                   const ReadBody& body);
// Opens path read-only as text ("Open " + path + " Failed : " on failure; a FIFO, device or folder
// is refused unread), then as ReadXmlDevice.
bool ReadXmlFile(const StoreHost& host, const QString& path, const QString& parseFailure,
                 const ReadBody& body);

using WriteBody = std::function<void(QXmlStreamWriter&)>;

// Sets the common writer settings (codec "utf-8", auto-formatting) and writes the declaration.
void BeginXmlDocument(QXmlStreamWriter& w);
// Writes the declaration, the body and the document end on an open device; false on a write error.
bool WriteXmlDevice(QIODevice& device, const WriteBody& body);

enum class WriteMode {
    Direct,  // the file itself: temporary files of the rotation, whose rename is the commit
    Atomic,  // a user's file: written aside and renamed over it only when complete
};
// Opens (logging "Open " + path + " Failed : "), writes, closes. A write error logs
// "Failed to write file " + path + " : " + the reason and reports false; in Atomic mode the old file
// then stays. Characters left out are logged once, naming the document (for a temporary file of the
// rotation, the document it becomes).
bool WriteXmlFile(const StoreHost& host, const QString& path, WriteMode mode, const WriteBody& body);
// WriteXmlFile that also contains an exception thrown while writing (an allocation failure, or the
// host's image converter): failure + path is logged and the result is false, so a save never renames
// and an export never commits a half-written document.
bool WriteGuardedXmlFile(const StoreHost& host, const QString& path, WriteMode mode, const QString& failure,
                         const WriteBody& body);

}  // namespace prefbook
