#pragma once
// The journal of every job that writes or reboots boards (talvikctl's, the fleet window's;
// each write of the configurator is a job of one board): a JSON Lines file, journal.jsonl,
// and beside it in before/ the permanent memory each write was built on, in talvikctl's
// backup format. Every line is appended, flushed and forced onto the disk before the
// program goes on; a job's line before its first frame, a write's line (and its before file)
// before its frame. Lines of a later version's kinds are skipped when read; the file is
// read a block at a time, never whole (journal_lines.h).
//
//   {"kind":"job","job":"J","time":"2026-12-08T05:15:00.123Z","what":"change","by":"talvikctl write",
//    "user":"olena","host":"DISPATCH-2","operator":"Олена Коваль",
//    "boards":["127.0.1.3",...],"change":{"mask":"255.255.0.0"},"options":{...}}
//   {"kind":"write","job":"J","id":"W","time":"...","board":"127.0.1.3","by":"talvikctl write",
//    "before":"before/W.conf" or null,"sent":{configuration},"frame":"hex"}
//   {"kind":"result","job":"J","id":"W","board":"127.0.1.3","outcome":"done","reason":null,
//    "not_written":[],"taken_at_reboot":true,"result":"written, verified","ok":true,"time":"..."}
//   {"kind":"board","job":"J","board":"127.0.1.4","outcome":"refused","reason":"not-carried",...}
//   {"kind":"end","job":"J","time":"...","counts":{"done":55,...},"stopped_by":null}
//
// Programs append to the journal one at a time (a lock the system holds: store/file_lock.h),
// so a line that could not be written whole is taken back without touching anyone else's.
// Ids are unique across programs and PCs (a random part beside the time and process).
//
// A board of a job has one line of its own once the job got to it: its write's result, or
// (nothing written: refused, no base; a reboot) a board line; boards it never got to have
// none. A job without its end line was cut off (killed, a power cut). The outcome and
// reason are the kinds programs read (board/outcome.h, board/reason.h); "result" says the
// same in talvikctl's words for a person reading the file. Lines of older versions carry
// no job and only those words, and are read back into their kinds.

#include "board/board_config.h"
#include "board/board_rules.h"
#include "board/outcome.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

namespace talvik {

// What became of a journaled write, or of a board of a job that wrote it nothing.
struct WriteResult {
    Outcome outcome = Outcome::Done;
    Reason reason = Reason::None;
    QStringList notWritten;     // written with force: the fields the frame could not carry
    QString detail;             // a failed read-back: why, in talvikctl's words
    bool takenAtReboot = false; // written: the board takes it at its next reboot
};
// talvikctl's words for it, as the journal keeps them: "written, verified", ...
QString writeResultText(const WriteResult& result);

struct JournalEntry {
    QString id;
    QString job; // the job it was part of; empty in a journal of an older version
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
    qint64 offset = -1; // where its line starts in the file
};

// A job as its line and its end line say: what it is, on which boards, with what options.
struct JobRecord {
    QString id;
    QDateTime time;
    // "change", "apply", "replace", "undo", "reboot"; "write": one of the configurator's.
    QString what;
    QString by;
    // Who ran it: the system's user and the PC, and the operator's own name where the front
    // end was given one (talvikctl --operator, the fleet window's "Оператор").
    QString user, host, operatorName;
    QList<BoardAddress> boards; // its targets, in address order
    // What it writes: a change (on a file's fields, for one board), each board's backup, a
    // replacement's backup, or what an undo takes back (a job, or single writes).
    std::optional<FieldChange> change;
    std::optional<BoardConfig> base;
    QHash<BoardAddress, BoardConfig> sources;
    bool takeMac = false;
    QString undoes;
    QStringList undoesWrites;
    // How it ran: its rules, and where and how patiently it talked to the boards.
    bool force = false, verify = true;
    int maxFailures = -1; // FailureLimit's: -1 the default, 0 none
    int rebootWaitSeconds = 0;
    QList<quint16> ports; // the boards' command ports
    quint16 wordPort = 0;
    int timeoutMs = 0, retries = 0; // 0 and 0: not recorded
    QString retryOf;                // a retry of this job: one roll-out with it
    // Its end, when the file has one; else what its boards' lines say so far.
    bool ended = false;
    OutcomeCounts counts;
    Reason stoppedBy = Reason::None;
    int reached = 0;    // boards with a line of their own
    qint64 offset = -1; // where its line starts in the file
};

// Each board of a job and of its retries (a roll-out), as a retry or an undo needs it.
struct RollOutBoard {
    BoardAddress board;
    std::optional<JournalEntry> firstWrite;   // the roll-out's first write to it: its memory before
    std::optional<JournalEntry> lastVerified; // the roll-out's last write that succeeded
    QList<JournalEntry> writes;               // every write of the roll-out to it, in order, with results
    std::optional<WriteResult> last;          // its last end in the roll-out; none: never got to
    bool sentWithoutResult = false;           // a write was sent, then the program ended
    // A journaled write by another job after the roll-out's last write to it, but for one the
    // board proved not to hold (a mismatch): that job's id and what wrote (empty when none).
    QString writtenSince, writtenSinceBy;
    // Every write by another job since the roll-out began, in order: where its line is, and
    // whether its read-back proved the board does not hold it (a mismatch). What a retry must
    // not write over; Journal::entryAt() reads one.
    struct OtherWrite {
        qint64 offset = -1;
        bool provedNotHeld = false;
    };
    QList<OtherWrite> othersSinceStart;
};
struct RollOut {
    JobRecord job;
    QList<JobRecord> retries;
    QList<RollOutBoard> boards; // every target of the job, in its order
};

// Other jobs' writes a write must know of, checked as its line is appended, under the
// journal's lock: an undo or a retry is refused over a write to its board another job made
// since its plan was read, and a write re-reads its base when another job wrote the board
// since it was read (two programs at once). What was read is kept, so that each write of a
// job reads only the lines appended since the last.
struct JournalGuard {
    qint64 from = 0;   // where reading starts: the journal's size when the plan was read
    QSet<QString> own; // the roll-out's jobs, and the job itself: their writes do not count
    qint64 readTo = -1;
    QHash<BoardAddress, QPair<qint64, QString>> lastOther; // each board's last such write: line, job
};

// The lines of the file a read found to be no journal line (not JSON, not an object, no
// kind): the first MostNamed by number, the rest counted, so that a file of garbage costs
// no more than a few of them.
struct UnreadLines {
    static constexpr int MostNamed = 20;
    QString file;
    QList<qint64> named; // line numbers, from 1
    int more = 0;
    bool isEmpty() const { return named.isEmpty(); }
};

// Why the journal could not give a job, for each program to word.
struct JournalProblem {
    enum Kind { NoJob, Unreadable } kind = NoJob;
    QString file;        // the journal's
    QString job;         // the job asked for
    QString systemError; // Unreadable: the system's words
};
// In talvikctl's words: "the journal FILE has no job ID".
QString journalProblemText(const JournalProblem& problem);

class Journal {
  public:
    explicit Journal(const QString& folder = defaultFolder());
    // TalvikCom/journal in the user's data folder: ~/.local/share on Linux, %LOCALAPPDATA% on Windows.
    static QString defaultFolder();
    QString folder() const { return folder_; }
    QString path() const;

    // A job's line, before its first frame: its id, or empty with why (then nothing is sent).
    // The id, time and offset of `job` are the journal's.
    QString beginJob(const JobRecord& job, QString* error);
    // Before the frame leaves. The id of the entry, or empty with the reason in `error`:
    // then the frame must not be sent.
    // With a `guard`, nothing is recorded when another job's write to the board starts at
    // `since` or later: its id goes into `writtenBy` (and `error` stays empty).
    QString recordWrite(const QString& job, BoardAddress board, const QString& by,
                        const std::optional<BoardConfig>& before, const QByteArray& frame, QString* error,
                        JournalGuard* guard = nullptr, qint64 since = 0, QString* writtenBy = nullptr);
    bool recordResult(const QString& job, const QString& id, BoardAddress board, const WriteResult& result,
                      QString* error);
    // A write that is a job of its own (each of the configurator's): the job's line and the
    // write's, one commit to the disk. The write's id (the job's in `job`), or empty as above.
    QString recordSingleWrite(const QString& by, BoardAddress board, const std::optional<BoardConfig>& before,
                              const QByteArray& frame, QString* job, QString* error);
    // Its result and the job's end, together.
    bool recordSingleResult(const QString& job, const QString& id, BoardAddress board,
                            const WriteResult& result, QString* error);
    // A board of the job written nothing (refused, no base) or rebooted: what became of it.
    bool recordBoard(const QString& job, BoardAddress board, const WriteResult& result, QString* error);
    bool endJob(const QString& job, const OutcomeCounts& counts, Reason stoppedBy, QString* error);

    // A window reads only the newest part of a long journal: what it shows stays quick.
    static constexpr qint64 WindowBytes = 64ll << 20;
    // Newest first; only the writes to `boards` when given, at most `most`, from the
    // `newestBytes` at the end of the file when given. A bad line is skipped and named in
    // `problems`.
    QList<JournalEntry> entries(const std::optional<QSet<BoardAddress>>& boards = {},
                                QStringList* problems = nullptr, qsizetype most = -1, qint64 newestBytes = -1,
                                UnreadLines* unread = nullptr) const;
    // The same, one at a time: false from `each` stops.
    // `unread`: the lines that are no journal line, for a front end to word (`problems` has
    // them in talvikctl's words).
    void forEachEntry(const std::optional<QSet<BoardAddress>>& boards,
                      const std::function<bool(const JournalEntry&)>& each, QStringList* problems,
                      qint64 newestBytes = -1, UnreadLines* unread = nullptr) const;
    // Jobs newest first, with their counts; false from `each` stops. Memory stays small
    // whatever the file's size: a job's boards are counted, not kept.
    // `unreadable`: the system's words when the file could not be read.
    void forEachJob(const std::function<bool(const JobRecord&)>& each, QStringList* problems,
                    qint64 newestBytes = -1, QString* unreadable = nullptr) const;
    // One job ("last": the newest), or nothing with why.
    std::optional<JobRecord> job(const QString& id, JournalProblem* problem) const;
    // The writes with these ids, oldest first, with their results.
    QList<JournalEntry> writesWithIds(const QSet<QString>& ids, QStringList* problems = nullptr) const;
    // The write whose line starts at `offset` (without its result).
    std::optional<JournalEntry> entryAt(qint64 offset) const;
    // The file's size now: where lines appended from now on start.
    qint64 size() const;
    // The job's boards through it and its retries, with the other jobs' writes to them since
    // (what an undo or a retry plans with); `ignoring`: jobs whose writes do not count as
    // written since (a retry of an undo ignores the undo's own). JobAlone: what the job did to
    // its boards, and no more (to show it).
    enum RollOutRead { ForPlans, JobAlone };
    std::optional<RollOut> rollOut(const QString& id, JournalProblem* problem,
                                   const QSet<QString>& ignoring = {}, RollOutRead read = ForPlans) const;

  private:
    // Whole lines, each ended, under the lock; `first` runs under it before they are written
    // and may stop them (false) with nothing written and no error.
    bool appendLine(const QByteArray& lines, QString* error, const std::function<bool()>& first = {});
    bool guardHolds(BoardAddress board, JournalGuard& guard, qint64 since, QString* writtenBy) const;
    // A write's line, its before file written first; empty with why when that cannot be.
    QByteArray writeLine(const QString& job, const QString& id, BoardAddress board, const QString& by,
                         const std::optional<BoardConfig>& before, const QByteArray& frame, QString* error);
    QByteArray resultLine(const QString& job, const QString& id, BoardAddress board,
                          const WriteResult& result) const;
    QByteArray endLine(const QString& job, const OutcomeCounts& counts, Reason stoppedBy) const;
    // A line that is no journal line, named while fewer than UnreadLines::MostNamed were.
    void unreadLine(qint64 offset, UnreadLines& unread, QStringList* problems) const;
    void unreadMore(const UnreadLines& unread, QStringList* problems) const;
    QString folder_;
};

} // namespace talvik
