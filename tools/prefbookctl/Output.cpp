#include "Output.h"

#include <QJsonDocument>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace prefbookctl {

void Table::AddRow(const QVector<QJsonValue>& cells) {
    Q_ASSERT(cells.size() == columns_.size());
    rows_.append(cells);
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

QString Table::ToText() const {
    QVector<QStringList> lines;
    QStringList heading;
    for (const Column& column : columns_) heading << column.heading;
    lines << heading;
    for (const auto& row : rows_) {
        QStringList line;
        for (int c = 0; c < columns_.size(); ++c)
            line << (columns_[c].format ? columns_[c].format(row[c]) : CellText(row[c]));
        lines << line;
    }

    QVector<int> widths(columns_.size(), 0);
    for (const QStringList& line : lines)
        for (int c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], line[c].size());

    QString text;
    for (const QStringList& line : lines) {
        QString out;
        for (int c = 0; c < line.size(); ++c)
            out += c + 1 < line.size() ? line[c].leftJustified(widths[c] + 2) : line[c];
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
