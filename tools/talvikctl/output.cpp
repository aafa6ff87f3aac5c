#include "output.h"

#include "board/untrusted_text.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <cstdio>
#include <utility>
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

// A line goes out at once to a terminal; into a pipe or a file, the lines of one pass of the
// event loop go in one write (ten thousand boards were ten thousand writes).
void lineDone()
{
    static const bool terminal = isatty(fileno(stdout));
    static bool due = false;
    if (terminal || !QCoreApplication::instance()) {
        out().flush();
        return;
    }
    if (std::exchange(due, true))
        return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            due = false;
            out().flush();
        },
        Qt::QueuedConnection);
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

Table::Table(const QList<Column>& columns, bool header) : columns_(columns), headerDue_(header) {}

void Table::row(const QStringList& cells)
{
    if (quiet)
        return;
    const auto line = [&](const QStringList& texts) {
        QString text;
        for (int i = 0; i < texts.size(); ++i) {
            const QString cell = escapeControls(texts[i]);
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
    lineDone();
}

void printJson(const QJsonObject& object)
{
    if (quiet)
        return;
    beforeResult();
    out() << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << '\n';
    lineDone();
}

void printCsv(const QStringList& row)
{
    if (quiet)
        return;
    beforeResult();
    out() << csvLine(row) << '\n';
    lineDone();
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
