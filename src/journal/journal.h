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
//   {"kind":"result","id":"...","time":"...","outcome":"done","reason":null,"not_written":[],
//    "result":"written, verified","ok":true}
//
// The outcome and reason are the kinds programs read (board/outcome.h, board/reason.h);
// "result" says the same in talvikctl's words for a person reading the file. Lines of
// older versions carry only those words, and are read back into their kinds.

#include "board/board_config.h"
#include "board/outcome.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace talvik {

// What became of a journaled write.
struct WriteResult {
    Outcome outcome = Outcome::Done;
    Reason reason = Reason::None;
    QStringList notWritten; // written with force: the fields the frame could not carry
    QString detail;         // a failed read-back: why, in talvikctl's words
};
// talvikctl's words for it, as the journal keeps them: "written, verified", ...
QString writeResultText(const WriteResult& result);

struct JournalEntry {
    QString id;
    QDateTime time;
    BoardAddress board;
    QString by;                        // "talvikctl write", "configurator", "fleet window", ...
    std::optional<BoardConfig> before; // the permanent memory the write was built on, when known
    BoardConfig sent;                  // the fields of the frame
    QByteArray frame;
    // None recorded: the program ended before it knew. A result in words of no known kind
    // (another program's) has its words alone.
    std::optional<WriteResult> result;
    QString resultText; // as the file has it
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
    bool recordResult(const QString& id, const WriteResult& result, QString* error);

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
