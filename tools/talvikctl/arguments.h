#pragma once
// Reading talvikctl's command line: every sub-command's parser shares the options of
// the link, and every bad value ends the command with one line naming it (thrown as
// UsageError and turned into the usage exit code before anything is sent).

#include "protocol/board_client.h"
#include "protocol/frames.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace talvik::ctl {

struct UsageError {
    QString message;
};

// The options every command that talks to boards takes.
struct LinkOptions {
    bool json = false;
    Timing timing;
    quint16 localPort = 6767;
    QList<quint16> commandPorts{8026, 8024, 6767};
    quint16 wordPort = 8026;
};

// A parser for one sub-command: its description, the link options and --help.
class CommandLine {
  public:
    CommandLine(const QString& command, const QString& description, bool linkOptions = true);
    QCommandLineParser parser;
    // Parses or throws; --help prints the sub-command's help and exits with 0.
    void parse(const QStringList& args);
    LinkOptions linkOptions() const;
    bool isSet(const QString& name) const { return parser.isSet(name); }
    QString value(const QString& name) const { return parser.value(name); }
    QStringList positional() const { return parser.positionalArguments().mid(1); } // after the command

  private:
    QString command_;
    bool hasLinkOptions_;
};

quint32 addressArgument(const QString& text);
// Addresses and ranges ("192.168.1.1-254"), and those of a file (one per line, '#'
// comments), each once, in the order given.
QList<quint32> targetsArgument(const QStringList& texts, const QString& hostsFile = {});
Mac macArgument(const QString& text);
int numberArgument(const QString& name, const QString& text, int min, int max);

} // namespace talvik::ctl
