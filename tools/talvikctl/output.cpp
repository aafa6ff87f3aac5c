#include "output.h"

#include "client/board_config.h"

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

namespace {
bool quiet = false;
Progress* progressShown = nullptr; // cleared before a result line, so the two never share a line
Progress* progressNow = nullptr;

void beforeResult()
{
    if (progressShown)
        progressShown->clear();
}
} // namespace

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

void setQuiet(bool on)
{
    quiet = on;
}

QString escaped(const QString& text)
{
    QString o;
    o.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            o += QLatin1String("\\\\");
        else if (u == u'\r')
            o += QLatin1String("\\r");
        else if (u == u'\n')
            o += QLatin1String("\\n");
        else if (u == u'\t')
            o += QLatin1String("\\t");
        else if (u == 0x1B)
            o += QLatin1String("\\e");
        else if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            o += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else
            o += c;
    }
    return o;
}

Table::Table(const QList<Column>& columns, bool header) : columns_(columns), headerDue_(header) {}

void Table::row(const QStringList& cells)
{
    if (quiet)
        return;
    const auto line = [&](const QStringList& texts) {
        QString text;
        for (int i = 0; i < texts.size(); ++i) {
            const QString cell = escaped(texts[i]);
            const bool last = i + 1 == texts.size();
            text += last ? cell : cell.leftJustified(qMax(columns_.value(i).width, int(cell.size()) + 1) + 1);
        }
        out() << text << '\n';
    };
    beforeResult();
    if (headerDue_) {
        headerDue_ = false;
        QStringList titles;
        for (const Column& c : columns_)
            titles.append(c.title);
        line(titles);
    }
    line(cells);
    out().flush();
}

void printJson(const QJsonObject& object)
{
    if (quiet)
        return;
    beforeResult();
    out() << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << '\n';
    out().flush();
}

void printCsv(const QStringList& row)
{
    if (quiet)
        return;
    beforeResult();
    out() << csvLine(row) << '\n';
    out().flush();
}

Progress::Progress(const QString& what, int total)
    : what_(what), total_(total), shown_(total > 1 && isatty(fileno(stderr)))
{
    if (shown_)
        progressShown = this;
    progressNow = this;
}

QString Progress::howFar()
{
    if (!progressNow)
        return {};
    progressNow->clear();
    return QStringLiteral("%1 of %2 boards done").arg(progressNow->done_).arg(progressNow->total_);
}

Progress::~Progress()
{
    clear();
    if (progressShown == this)
        progressShown = nullptr;
    if (progressNow == this)
        progressNow = nullptr;
}

void Progress::clear()
{
    if (!onScreen_)
        return;
    onScreen_ = false;
    err() << '\r' << QString(what_.size() + 24, QLatin1Char(' ')) << '\r' << Qt::flush;
}

void Progress::step()
{
    ++done_;
    if (!shown_)
        return;
    onScreen_ = true;
    err() << '\r' << what_ << ' ' << done_ << '/' << total_ << Qt::flush;
}

} // namespace talvik::ctl
