#pragma once

#include <QJsonValue>
#include <QString>
#include <functional>
#include <vector>

namespace prefbookctl {

enum class ValueKind { Bool, Count, Number, Text };

// One value of the settings files as the tool shows and edits it, read and written through
// Prefbook (or, for the export paths Prefbook keeps private, the library's settings-file layer).
struct Setting {
    QString name;  // what "settings set" takes
    QString file;  // relative to the base folder; empty for a value kept in no file
    QString group;
    QString key;
    ValueKind kind;
    std::function<QJsonValue()> read;
    std::function<void(const QJsonValue&)> write;  // empty for read-only values
    int deviceType = -1;                           // set for the per-device reset flags
};

// Global flags and parameters, then the reset flag of every device type in type order.
const std::vector<Setting>& Settings();
const Setting* FindSetting(const QString& name);

// The value as the file under the base folder holds it now; false when the file or the key is
// missing or cannot be read.
bool ReadFromDisk(const Setting& setting, QJsonValue* value);

// Parses a command-line value: booleans as true/false, 1/0, yes/no or on/off (any case); counts as
// non-negative integers; numbers as finite decimals. False with *why set for a bad value.
bool ParseValue(ValueKind kind, const QString& text, QJsonValue* value, QString* why);

}  // namespace prefbookctl
