#pragma once
// Every board's configuration kept over time in a folder: one backup file per board and
// memory, in the format apply reads (ADDRESS.conf for the working configuration,
// permanent/ADDRESS.conf for the permanent memory), written only when what the board holds
// changed, so that the file's time is when the board last changed and a git repository of
// the folder has a commit only for a change.

#include "board/backup_file.h"

#include <QDateTime>
#include <QHash>
#include <optional>

namespace talvik {

struct KeptBackup {
    enum Status { New, Changed, Unchanged, Silent } status = Unchanged;
    BoardAddress board;
    Memory memory = Memory::Working;
    QList<ChangedField> changes; // Changed: each field (and "version"), old and new
    bool hasFile = false;        // Silent: whether an earlier backup is kept
};
// "new", "changed", "unchanged", "silent": the words scripts read.
QString keptStatusKey(KeptBackup::Status status);

class BackupFolder {
  public:
    explicit BackupFolder(const QString& path);
    QString path() const { return path_; }
    QString fileOf(BoardAddress board, Memory memory) const;

    // Keeps what a board answered: its file written (whole or not at all) when new or
    // changed; nullopt, and why, when it could not be written.
    std::optional<KeptBackup> keep(const BoardConfig& config, QString* error);
    // A board that did not answer: its earlier file, if any, stays as it is.
    KeptBackup silent(BoardAddress board, Memory memory) const;

    // Whether what a board answered now differs from its file, and since when that file
    // holds what it holds; nullopt when there is no readable file.
    std::optional<bool> differs(const BoardConfig& config) const;
    QDateTime keptSince(BoardAddress board, Memory memory) const;

  private:
    QString path_;
};

// What a run of `talvikctl backup` changed, for a commit message and a hook: the subject
// ("3 boards changed, 1 new") and a line per board and field ("127.0.1.5: mask 255.0.0.0 →
// 255.255.255.0"), board texts escaped.
QString changeSubject(const QList<KeptBackup>& kept);
QString changeBody(const QList<KeptBackup>& kept);

} // namespace talvik
