#pragma once
// talvikctl's sub-commands and what they return to the shell.

#include "client/board_config.h"
#include "wire/datagram.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <optional>

namespace talvik::ctl {

class Session;
struct CommonOptions;

// Documented in the README, the manual page and `talvikctl --help`.
enum Exit {
    Success = 0,
    NoReply = 1,       // a board did not answer with a whole configuration (several boards: none did)
    Usage = 2,         // bad input, or a configuration the window would never write; nothing was sent
    Mismatch = 3,      // a board answered a write with another configuration
    Partial = 4,       // several boards: some succeeded, some did not
    PortBusy = 5,      // the local port (6767) is taken, by the configurator for one
    SaveFailed = 6,    // a backup file could not be written
    JournalFailed = 7, // the journal could not be written; that write was not sent
    // 130: interrupted (Ctrl-C, SIGTERM); see interrupt.h
};

int runRead(const QStringList& args);
int runWrite(const QStringList& args);
int runApply(const QStringList& args);
int runReboot(const QStringList& args);
int runSurvey(const QStringList& args);
int runListen(const QStringList& args);
int runExporter(const QStringList& args);
int runHistory(const QStringList& args);
int runUndo(const QStringList& args);

// The exit code of a command over several boards.
int combinedExit(int succeeded, int failed, int failureCode);

// One board's configuration read as `read` reads it: a configuration reply that carries
// at least `needed` (a reply with less is waited past, and named if nothing better comes).
struct BoardRead {
    std::optional<BoardConfig> config;
    QString error; // without a config: "no reply", "incomplete reply (4 bytes)", ...
};
BoardRead readBoard(Session& session, quint32 board, Memory memory, Completeness needed);
void printConfig(const BoardConfig& config, bool json);

// The window's reboot sequence to one board; with `wait`, reads until it answers again, at
// `waitAt` when its address changes with the reboot.
struct Rebooted {
    bool acknowledged = false;
    std::optional<double> upAfterSeconds; // with wait: when the board answered again
};
Rebooted rebootOne(Session& session, quint32 board, bool wait, int waitSeconds,
                   std::optional<quint32> waitAt = std::nullopt);

// --dry-run: one line per datagram that would leave, and nothing sent.
void printFrame(quint32 board, quint16 port, const QByteArray& frame, bool json);

} // namespace talvik::ctl
