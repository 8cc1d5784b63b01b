#include "profilecore/MacroModel.h"

#include <QStringList>

namespace prefbook {

QString SlotKeyAssign::Format(const QVector<Item>& items) {
    QString text;
    for (const MacroAssignment& a : items) {
        if (!text.isEmpty()) text += QLatin1Char(',');
        text += DecimalText(a.slot) + QLatin1Char(':') + DecimalText(a.key);
    }
    return text;
}

void SlotKeyAssign::Parse(QStringRef text, QVector<Item>& items) {
    for (const QStringRef& part : text.split(QLatin1Char(','))) {
        const QVector<QStringRef> pieces = part.split(QLatin1Char(':'));
        if (pieces.size() != 2) continue;
        items.push_back(
            {static_cast<uint8_t>(static_cast<uint32_t>(parseInt(pieces[0])) & 0xFFu), parseU16(pieces[1])});
    }
}

QString SlotIdAssign::Format(const KeydeckSlotMap& items) {
    QString text;
    for (auto it = items.cbegin(); it != items.cend(); ++it) {
        if (!text.isEmpty()) text += QLatin1Char(',');
        text += DecimalText(it.key()) + QLatin1Char(':') + DecimalText(it.value());
    }
    return text;
}

void SlotIdAssign::Parse(QStringRef text, KeydeckSlotMap& items) {
    const auto low = [](QStringRef piece) {
        return static_cast<uint8_t>(static_cast<uint32_t>(parseInt(piece)) & 0xFFu);
    };
    for (const QStringRef& part : text.split(QLatin1Char(','))) {
        const QVector<QStringRef> pieces = part.split(QLatin1Char(':'));
        if (pieces.size() == 2) items.insert(low(pieces[0]), low(pieces[1]));
    }
}

QString KeyListAssign::Format(const QVector<Item>& items) {
    QString text;
    for (uint16_t key : items) {
        if (!text.isEmpty()) text += QLatin1Char(',');
        text += DecimalText(key);
    }
    return text;
}

void KeyListAssign::Parse(QStringRef text, QVector<Item>& items) {
    for (const QStringRef& part : text.split(QLatin1Char(','))) items.push_back(parseU16(part));
}

bool CheckMacroModeCall(const StoreHost& host, const QString& store, const char* operation, int index,
                        bool validIndex, const std::string& name) {
    if (validIndex && !name.empty()) return true;
    host.Log(store + QLatin1String(operation) + " Failed. Profile Id[" + QString::number(index) +
             "]. Macro Name[" + QString::fromStdString(name) + "].");
    return false;
}

}  // namespace prefbook
