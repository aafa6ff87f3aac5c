#pragma once
// Reading talvikctl's command line. Each sub-command declares the option groups it
// takes, so its help lists only those; every bad value ends the command with one line
// naming it (thrown as UsageError and turned into the usage exit code before anything
// is sent).

#include "client/board_client.h"
#include "net/adapters.h"
#include "wire/board_address.h"
#include "wire/frames.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace talvik::ctl {

struct UsageError {
    QString message;
};

// The option groups a sub-command may take.
enum OptionGroup {
    Output = 1,   // --json, --quiet
    Requests = 2, // --timeout, --retries
    Ports = 4,    // --local-port, --ports
    WordPort = 8, // --word-port
    DryRun = 16,  // --dry-run
    Csv = 32,     // --csv
};

struct CommonOptions {
    bool json = false;
    bool csv = false;
    bool quiet = false;
    bool dryRun = false;
    Timing timing;
    quint16 localPort = 6767;
    QList<quint16> commandPorts{8026, 8024, 6767};
    quint16 wordPort = 8026;
    std::optional<Adapter> adapter; // --interface: frames leave from its address
};

class CommandLine {
  public:
    CommandLine(const QString& command, const QString& description, int groups);
    QCommandLineParser parser;
    // Parses or throws; --help prints the sub-command's help and exits with 0.
    void parse(const QStringList& args);
    CommonOptions common() const;
    bool isSet(const QString& name) const { return parser.isSet(name); }
    QString value(const QString& name) const { return parser.value(name); }
    QStringList positional() const { return parser.positionalArguments().mid(1); } // after the command
    // The options given, as arguments that give them again (a retry's): every option but
    // the output's, each "--name=value"; the values of `fileOptions` as absolute paths.
    QStringList replayOptions(const QStringList& fileOptions = {}) const;
    // The help, with "talvikctl" as the program's name whatever path started it.
    QString helpText() const;

  private:
    QString command_;
    int groups_;
};

// Options any sub-command may also take before its name ("talvikctl --json survey ...");
// those with a value take the next argument.
bool isGlobalOption(const QString& argument, bool* takesValue);

// An address as a field's value (a mask, a gateway): four decimal numbers 0..255.
quint32 addressArgument(const QString& text);
// One board: four decimal numbers 0..255 that name a board, not a network, broadcast,
// zero or multicast address.
BoardAddress boardArgument(const QString& text);
// Boards and ranges of boards ("192.168.1.1-254", inside one /24), and those of a hosts
// file (one per line, '#' comments; "-" is standard input), each once, in the order given.
QList<BoardAddress> targetsArgument(const QStringList& texts, const QString& hostsFile = {});
// An adapter of this PC by its name or address, or a usage error that names those there are.
Adapter adapterArgument(const QString& nameOrAddress);
Mac macArgument(const QString& text);
int numberArgument(const QString& name, const QString& text, int min, int max);

} // namespace talvik::ctl
