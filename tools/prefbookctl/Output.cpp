#include "Output.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextCodec>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace prefbookctl {

void Table::AddRow(const QVector<QJsonValue>& cells) {
    Q_ASSERT(cells.size() == columns_.size());
    rows_.append(cells);
}

QStringList Table::Keys() const {
    QStringList keys;
    for (const Column& column : columns_) keys << column.key;
    return keys;
}

QStringList Table::Headings() const {
    QStringList headings;
    for (const Column& column : columns_) headings << column.heading;
    return headings;
}

namespace {

// Width on the terminal: colour escapes take no room.
int VisibleWidth(const QString& text) {
    static const QRegularExpression escape(QStringLiteral("\x1b\\[[0-9;]*m"));
    return QString(text).remove(escape).size();
}

QString Cut(const QString& text) {
    if (text.size() <= Table::kMaxCellWidth) return text;
    static const bool unicode = QTextCodec::codecForLocale()->canEncode(QChar(0x2026));
    const QString ellipsis = unicode ? QString(QChar(0x2026)) : QStringLiteral("...");
    return text.left(Table::kMaxCellWidth - ellipsis.size()) + ellipsis;
}

bool& Swatches() {
    static bool on = false;
    return on;
}

}  // namespace

void EnableSwatches(bool on) {
    Swatches() = on;
}

bool SwatchesEnabled() {
    return Swatches();
}

QString Swatch(int r, int g, int b) {
    const QByteArray colorTerm = qgetenv("COLORTERM");
    QString code;
    if (colorTerm == "truecolor" || colorTerm == "24bit") {
        code = QString::asprintf("48;2;%d;%d;%d", r, g, b);
    } else {
        const auto level = [](int v) { return v < 48 ? 0 : v < 115 ? 1 : (v - 35) / 40; };
        code = QString::asprintf("48;5;%d", 16 + 36 * level(r) + 6 * level(g) + level(b));
    }
    return "\x1b[" + code + "m  \x1b[0m";
}

QJsonArray Table::ToJson() const {
    QJsonArray array;
    for (const auto& row : rows_) {
        QJsonObject object;
        for (int c = 0; c < columns_.size(); ++c) object.insert(columns_[c].key, row[c]);
        array.append(object);
    }
    return array;
}

QString Table::CellToText(int row, int column) const {
    const QJsonValue& cell = rows_[row][column];
    return columns_[column].format ? columns_[column].format(cell) : CellText(cell);
}

QString Table::ToText() const {
    QVector<QStringList> lines;
    QStringList heading;
    for (const Column& column : columns_) heading << column.heading;
    lines << heading;
    for (const auto& row : rows_) {
        QStringList line;
        for (int c = 0; c < columns_.size(); ++c)
            line << (columns_[c].format ? columns_[c].format(row[c]) : Cut(CellText(row[c])));
        lines << line;
    }

    QVector<int> widths(columns_.size(), 0);
    for (const QStringList& line : lines)
        for (int c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], VisibleWidth(line[c]));

    QString text;
    for (const QStringList& line : lines) {
        QString out;
        for (int c = 0; c < line.size(); ++c)
            out +=
                c + 1 < line.size() ? line[c] + QString(widths[c] + 2 - VisibleWidth(line[c]), ' ') : line[c];
        while (out.endsWith(' ')) out.chop(1);  // an empty last cell leaves padding behind
        text += out + '\n';
    }
    return text;
}

QString CellText(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Bool:
            return value.toBool() ? "true" : "false";
        case QJsonValue::Double: {
            const double d = value.toDouble();
            return d == std::floor(d) && std::fabs(d) < 1e15 ? QString::number(qint64(d))
                                                             : QString::number(d);
        }
        case QJsonValue::String:
            return value.toString();
        case QJsonValue::Array: {
            QStringList parts;
            for (const QJsonValue& element : value.toArray()) parts << CellText(element);
            return parts.join(", ");
        }
        default:
            return QString();
    }
}

QString HexId(const QJsonValue& value) {
    if (value.isArray()) {
        QStringList parts;
        for (const QJsonValue& element : value.toArray()) parts << HexId(element);
        return parts.join(", ");
    }
    return "0x" + QString::number(value.toInt(), 16).rightJustified(4, '0');
}

void PrintText(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

void PrintJson(const QJsonObject& object) {
    std::fputs(QJsonDocument(object).toJson(QJsonDocument::Indented).constData(), stdout);
    std::fflush(stdout);
}

void PrintError(const QString& message) {
    std::fputs(("prefbookctl: " + message + '\n').toLocal8Bit().constData(), stderr);
}

}  // namespace prefbookctl
