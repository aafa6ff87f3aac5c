#pragma once
// The journal of every write talvikctl, the configurator and the fleet window make: a
// JSON Lines file, journal.jsonl, and beside it in before/ the permanent memory each
// write was built on, in talvikctl's backup format. A write's line (and its before file)
// is on the disk before its frame is sent; its result follows as a line of its own when
// it is known. Lines of a later version's kinds are skipped when read.
//
//   {"kind":"write","id":"...","time":"2026-12-08T05:15:00.123Z","board":"127.0.1.3",
//    "by":"talvikctl write","before":"before/ID.conf" or null,"sent":{configuration},
//    "frame":"hex"}
//   {"kind":"result","id":"...","time":"...","result":"written, verified","ok":true}

#include "board/board_config.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace talvik {

struct JournalEntry {
    QString id;
    QDateTime time;
    BoardAddress board;
    QString by;                        // "talvikctl write", "configurator", "fleet window", ...
    std::optional<BoardConfig> before; // the permanent memory the write was built on, when known
    BoardConfig sent;                  // the fields of the frame
    QByteArray frame;
    QString result; // empty: none recorded (the program ended before it knew)
    bool ok = false;
};

class Journal {
  public:
    explicit Journal(const QString& folder = defaultFolder());
    // TalvikCom/journal in the user's data folder: ~/.local/share on Linux, %LOCALAPPDATA% on Windows.
    static QString defaultFolder();
    QString folder() const { return folder_; }

    // Before the frame leaves. The id of the entry, or empty with the reason in `error`:
    // then the frame must not be sent.
    QString recordWrite(BoardAddress board, const QString& by, const std::optional<BoardConfig>& before,
                        const QByteArray& frame, QString* error);
    bool recordResult(const QString& id, const QString& result, bool ok, QString* error);

    // Newest first; only `board`'s when given. Reads at most MostBytes; a bad line is skipped
    // and named in `problems`.
    QList<JournalEntry> entries(std::optional<BoardAddress> board = {},
                                QStringList* problems = nullptr) const;
    static constexpr qint64 MostBytes = 64ll << 20;

  private:
    bool appendLine(const QByteArray& line, QString* error);
    QString folder_;
};

} // namespace talvik
