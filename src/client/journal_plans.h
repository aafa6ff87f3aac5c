#pragma once
// A job of the journal run again by the engine: its undo or its retry, and the undo of one
// board's last write, from the journal alone. A job and its retries are one roll-out: a board
// that succeeded in any of them is never written again by a retry, and an undo takes back
// what the whole roll-out wrote.
//
// Board by board:
// - an undo puts back each field as it was before the roll-out first set it (board_rules.h:
//   undoneFields), on a board the roll-out sent a write, verified or not; only when the board
//   holds what the roll-out's last write sent (read now), and no other job wrote it since;
//   otherwise it is refused, and a force writes anyway. A board that holds its memory from
//   before already is left unchanged.
// - a retry writes the roll-out's plan on each board that did not succeed, refused when a job
//   outside the roll-out changed, since the roll-out began, a field the plan writes.
// - both check once more as each write is journaled (JournalGuard): a job that wrote the board
//   meanwhile (two programs at once) stops it.
// An undo and a retry are jobs like any other: each is undone and retried the same way.

#include "client/board_jobs.h"
#include "journal/journal.h"

namespace talvik {

// A board of the job that the plan leaves alone, and why.
struct LeftAlone {
    enum Why {
        Succeeded,      // a retry: written (or rebooted) already
        Refused,        // a retry: the rules refused it
        NotWritten,     // an undo: the roll-out sent it no write
        NoMemoryBefore, // an undo: its memory before is not in the journal
        NotRetried,     // a retry: a write of the configurator's, retried from the configurator
    } why;
    BoardAddress board;
};

struct JobPlan {
    JobRecord job; // the job asked about (a retry's: the roll-out's first)
    QList<WriteTarget> writes;
    QList<RebootTarget> reboots;
    JobOptions options; // the job's own, what the new job undoes or retries, and its guard
    QList<LeftAlone> leftAlone;
    bool empty() const { return writes.isEmpty() && reboots.isEmpty(); }
};

// `by`: who runs it, as the journal records it. Nothing, with why, when the journal has no
// such job or cannot be read.
std::optional<JobPlan> undoPlan(const Journal& journal, const QString& id, const QString& by,
                                JournalProblem* why);
std::optional<JobPlan> retryPlan(const Journal& journal, const QString& id, const QString& by,
                                 JournalProblem* why);

// The undo of one write (the history's "Повернути"): its board's memory before it, refused
// when a later write of `newer` (its board's, any order) wrote the board since.
WriteTarget undoOfWrite(const JournalEntry& entry, const QList<JournalEntry>& newer);
// `talvikctl undo ADDRESS`: the board's last journaled write with its memory before, undone
// as above. Nothing, with why (in talvikctl's words), when the journal holds none.
std::optional<JobPlan> undoOfBoardPlan(const Journal& journal, BoardAddress board, const QString& by,
                                       QString* why);

} // namespace talvik
