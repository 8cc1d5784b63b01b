#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QVector>
#include <functional>

namespace prefbookctl {

// One column: its JSON key, its human heading, and optionally how a cell reads to a human.
struct Column {
    QString key;
    QString heading;
    std::function<QString(const QJsonValue&)> format;
};

// Rows of JSON values that print either as an aligned text table or as a JSON array of objects
// keyed by the column keys, so both outputs always carry the same data.
class Table {
public:
    explicit Table(QVector<Column> columns) : columns_(std::move(columns)) {}

    // One cell per column, in column order.
    void AddRow(const QVector<QJsonValue>& cells);
    int RowCount() const { return rows_.size(); }

    QStringList Keys() const;
    QStringList Headings() const;

    QJsonArray ToJson() const;  // whole cells
    // One cell as a human reads it, never cut.
    QString CellToText(int row, int column) const;
    // Heading line, then one line per row; columns two blanks apart. A plain cell longer than
    // kMaxCellWidth is cut with an ellipsis, so one long name cannot push every other column away.
    QString ToText() const;

    static constexpr int kMaxCellWidth = 60;

private:
    QVector<Column> columns_;
    QVector<QVector<QJsonValue>> rows_;
};

// A cell as a human reads it: true/false, integers without a fraction, arrays joined by ", ".
QString CellText(const QJsonValue& value);
// A number as "0x" and four hex digits, the form of the product identifiers in param.arg.
QString HexId(const QJsonValue& value);

// Colour swatches in text output: on only for a terminal that takes colour escapes.
void EnableSwatches(bool on);
bool SwatchesEnabled();
// A two-character block in the colour, for a terminal (24-bit where COLORTERM says so, else the
// nearest of the 256-colour palette).
QString Swatch(int r, int g, int b);

void PrintText(const QString& text);
void PrintJson(const QJsonObject& object);  // indented, UTF-8
void PrintError(const QString& message);    // one line on stderr, prefixed with the tool's name

}  // namespace prefbookctl
