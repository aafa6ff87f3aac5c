#pragma once
// talvikctl's sub-commands and what they return to the shell.

#include <QStringList>
#include <optional>

namespace talvik::ctl {

struct BoardConfig;
class Session;

// Documented in the README and in `talvikctl --help`.
enum Exit {
    Success = 0,
    NoReply = 1,  // a board did not answer (for several boards: none did)
    Usage = 2,    // bad input; nothing was sent
    Mismatch = 3, // a board answered a write with another configuration
    Partial = 4,  // several boards: some succeeded, some did not
    PortBusy = 5, // the local port (6767) is taken, by the configurator for one
};

int runRead(const QStringList& args);
int runWrite(const QStringList& args);
int runApply(const QStringList& args);
int runReboot(const QStringList& args);
int runSurvey(const QStringList& args);
int runListen(const QStringList& args);

// The exit code of a command over several boards.
int combinedExit(int succeeded, int failed, int failureCode);

// Shared by the commands: one board's configuration read as `read` reads it.
std::optional<BoardConfig> readBoard(Session& session, quint32 board, bool permanent);
void printConfig(const BoardConfig& config, bool permanent, bool json);

} // namespace talvik::ctl
