#include "output.h"

#include <QJsonDocument>
#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace talvik::ctl {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

void printTable(const QStringList& header, const QList<QStringList>& rows)
{
    QList<qsizetype> widths;
    for (const QStringList& row : QList<QStringList>{header} + rows)
        for (int i = 0; i < row.size(); ++i) {
            if (i == widths.size())
                widths.append(0);
            widths[i] = qMax(widths[i], row[i].size());
        }
    const auto line = [&](const QStringList& cells) {
        QString text;
        for (int i = 0; i < cells.size(); ++i)
            text += i + 1 < cells.size() ? cells[i].leftJustified(widths[i] + 2) : cells[i];
        out() << text << '\n';
    };
    if (!header.isEmpty())
        line(header);
    for (const QStringList& row : rows)
        line(row);
    out().flush();
}

void printJson(const QJsonObject& object)
{
    out() << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << '\n';
    out().flush();
}

void printCsv(const QStringList& header, const QList<QStringList>& rows)
{
    const auto cell = [](QString text) {
        if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
            text.contains(QLatin1Char('\n')))
            text = QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) +
                   QLatin1Char('"');
        return text;
    };
    for (const QStringList& row : QList<QStringList>{header} + rows) {
        QStringList cells;
        for (const QString& c : row)
            cells.append(cell(c));
        out() << cells.join(QLatin1Char(',')) << '\n';
    }
    out().flush();
}

Progress::Progress(const QString& what, int total)
    : what_(what), total_(total), shown_(total > 1 && isatty(fileno(stderr)))
{
}

Progress::~Progress()
{
    if (shown_)
        err() << '\r' << QString(what_.size() + 24, QLatin1Char(' ')) << '\r' << Qt::flush;
}

void Progress::step()
{
    ++done_;
    if (shown_)
        err() << '\r' << what_ << ' ' << done_ << '/' << total_ << Qt::flush;
}

} // namespace talvik::ctl
