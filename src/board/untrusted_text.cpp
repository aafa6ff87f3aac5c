#include "board/untrusted_text.h"

#include <algorithm>

namespace talvik {

namespace {
// What a spreadsheet takes for the start of a formula, and the guard itself.
bool startsAFormula(const QString& cell)
{
    return !cell.isEmpty() && QStringLiteral("=+-@\t\r'").contains(cell.front());
}
const QChar Guard = QLatin1Char('\'');

QString csvCell(const QString& text)
{
    QString c = escapeControls(text);
    if (startsAFormula(c))
        c.prepend(Guard);
    if (c.contains(QLatin1Char(',')) || c.contains(QLatin1Char('"')))
        c = QLatin1Char('"') + c.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
    return c;
}

QString cellText(QString raw)
{
    if (raw.size() > 1 && raw.front() == Guard && startsAFormula(raw.mid(1, 1)))
        raw.remove(0, 1);
    return unescapeControls(raw);
}
} // namespace

QString csvLine(const QStringList& row)
{
    QStringList cells;
    cells.reserve(row.size());
    for (const QString& c : row)
        cells.append(csvCell(c));
    return cells.join(QLatin1Char(','));
}

QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        }
        else if (c == u'"') {
            quoted = true;
        }
        else if (c == u',') {
            row.append(cellText(std::exchange(field, {})));
        }
        else if (c == u'\n') {
            row.append(cellText(std::exchange(field, {})));
            rows.append(std::exchange(row, {}));
        }
        else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows.append(row << cellText(field));
    return rows;
}

} // namespace talvik
