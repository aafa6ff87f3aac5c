#pragma once
// Results on stdout, messages and progress on stderr. Results are written whole lines at a
// time, as boards are done (to a pipe or file, those of one pass of the event loop together),
// so an interrupted command leaves whole lines behind.

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QTextStream>

namespace talvik::ctl {

QTextStream& out();
QTextStream& err();
// --quiet: results are not printed (messages still are).
void setQuiet(bool quiet);

// A table printed row by row as results come: its columns have fixed widths, so no row
// waits for the widest cell. Cells are escaped (escapeControls()): no board can split a row
// or steer the terminal.
class Table {
  public:
    struct Column {
        QString title;
        int width = 0;
    };
    explicit Table(const QList<Column>& columns, bool header = true);
    void row(const QStringList& cells);

  private:
    QList<Column> columns_;
    bool headerDue_;
};

// One JSON object per line.
void printJson(const QJsonObject& object);
// One CSV line, as csvLine() writes it.
void printCsv(const QStringList& cells);

// "survey 120/250" on stderr while it is a terminal; nothing otherwise.
class Progress {
  public:
    Progress(const QString& what, int total);
    ~Progress();
    void step();
    void clear(); // before anything else goes to stderr
    // "37 of 254 boards done", of the command's progress; empty when there is none.
    static QString howFar();

  private:
    QString what_;
    int total_;
    int done_ = 0;
    bool shown_;
    bool onScreen_ = false;
};

} // namespace talvik::ctl
