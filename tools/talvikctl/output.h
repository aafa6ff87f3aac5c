#pragma once
// Results on stdout, messages and progress on stderr.

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QTextStream>

namespace talvik::ctl {

QTextStream& out();
QTextStream& err();

// Columns padded to their widest cell.
void printTable(const QStringList& header, const QList<QStringList>& rows);
// One JSON object per line.
void printJson(const QJsonObject& object);
// Comma-separated, quoted where a cell needs it.
void printCsv(const QStringList& header, const QList<QStringList>& rows);

// "survey 120/250" on stderr while it is a terminal; nothing otherwise.
class Progress {
  public:
    Progress(const QString& what, int total);
    ~Progress();
    void step();

  private:
    QString what_;
    int total_;
    int done_ = 0;
    bool shown_;
};

} // namespace talvik::ctl
