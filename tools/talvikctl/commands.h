#pragma once
// talvikctl's sub-commands and what they return to the shell.

#include "board/board_config.h"

#include <QStringList>

namespace talvik::ctl {

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
    HookFailed = 8,    // backup --on-change: the command failed (the backup is kept)
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
int runRetry(const QStringList& args);
int runBackup(const QStringList& args);
int runSites(const QStringList& args);
int runDiff(const QStringList& args);
int runAdapters(const QStringList& args);

// The backup files of apply's arguments: a folder stands for its *.conf files.
QStringList backupFilesOf(const QStringList& paths);

// The exit code of a command over several boards.
int combinedExit(int succeeded, int failed, int failureCode);

void printConfig(const BoardConfig& config, bool json, const QString& site = {});

// --dry-run: one line per datagram that would leave, and nothing sent.
void printFrame(BoardAddress board, quint16 port, const QByteArray& frame, bool json);

} // namespace talvik::ctl
