#pragma once
// What became of one board in a job, what a whole job came to, and when a job stops.

#include "board/board_config.h"
#include "board/board_rules.h"
#include "board/outcome.h"
#include "client/board_client.h"
#include "journal/journal.h"

#include <QString>
#include <optional>

namespace talvik {

struct BoardResult {
    BoardAddress board;
    Outcome outcome = Outcome::NotTried;
    Reason reason = Reason::None;
    bool sent = false;                 // a frame of the operation left for the board
    QList<Refusal> refusals;           // Refused: everything that stands against the write
    QStringList notWritten;            // written with force: the fields the frame could not carry
    QList<Difference> differences;     // Mismatch
    qsizetype replyBytes = 0;          // ShortReply: what came
    std::optional<BoardConfig> before; // a write: the permanent memory read first
    // A read: the configuration read. A write: what is (or would be) written.
    std::optional<BoardConfig> config;
    QByteArray reply;                    // a read: the datagram it came in (a backup is made of it)
    std::optional<BoardConfig> readBack; // a write verified: the permanent memory read back
    // A write done: the fields written that the board takes only at its next reboot.
    QStringList takenAtReboot;
    // A dry run: every datagram the operation would send the board, in order (a write's
    // after its base was read; a reboot's follow-up read once).
    QList<PlannedFrame> frames;
    // A read with the permanent memory too: it, its datagram, or why it gave none.
    std::optional<BoardConfig> permanent;
    QByteArray permanentReply;
    Reason permanentReason = Reason::None;
    bool acknowledged = false;            // a reboot: "rzt" came
    std::optional<double> upAfterSeconds; // a reboot waited for: when the board answered again
    QString detail;                       // NotJournaled, NoReadBack: why
    QString journalProblem;               // written, but its result could not be journaled: why
};

// The words the journal records and talvikctl prints: "written, verified", "written, the
// board holds something else", ... Data, not a window's language.
QString resultText(const BoardResult& result);
// The same as the journal keeps it.
WriteResult writeResultOf(const BoardResult& result);

// When a job over many boards stops: after `most` failures; by default after 3 while fewer
// than 5 boards were tried, and from then on once a third of those tried failed. A board
// counts as tried once a frame of the operation left for it, and as failed when that went
// wrong: a board that gave no base for a write, or that the rules refused, was sent
// nothing and counts neither way.
struct FailureLimit {
    static constexpr int Default = -1;
    static constexpr int DefaultMost = 3;
    static constexpr int ShareFrom = 5; // boards tried before a third of them stops the job
    int most = Default;                 // 0: no limit
    bool reached(int failed, int tried) const;
};

enum class JobKind { Read, Write, Reboot };

// What a whole job came to: each board counted once, by what became of it.
struct JobSummary : OutcomeCounts {
    JobKind kind = JobKind::Read;
    int total = 0;
    QString jobId;          // the job as the journal knows it (none for reads and dry runs)
    QString journalProblem; // why the journal could not record the job (a reboot goes on)
    // Written, then the job was ended at once before their read-back: their permanent
    // memory is not known (among the cancelled).
    QList<BoardAddress> leftUnverified;
    Reason stoppedBy = Reason::None; // FailureLimit, JournalFailed or Cancelled
    int failuresAtStop = 0, triedAtStop = 0;
    quint64 lostToOverload = 0; // datagrams this PC dropped while the job ran

    int unsuccessful() const { return total - succeeded(); }
    void count(const BoardResult& result);
};

} // namespace talvik
