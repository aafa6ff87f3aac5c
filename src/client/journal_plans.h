#pragma once
// A job of the journal run again by the engine: its undo (each board's memory from before
// the job written back, guarded) or its retry (the boards that did not succeed or were
// never reached, with the job's own plans and options), from the journal alone. A job and
// its retries are one roll-out: a board that succeeded in any of them is never written
// again by a retry, and an undo takes back what the whole roll-out wrote.

#include "client/board_jobs.h"
#include "journal/journal.h"

namespace talvik {

// A board of the job that the plan leaves alone, and why.
struct LeftAlone {
    enum Why {
        Succeeded,      // a retry: written (or rebooted) already
        Refused,        // a retry: the rules refused it
        NotWritten,     // an undo: the roll-out wrote it nothing that succeeded
        NoMemoryBefore, // an undo: its memory before is not in the journal
        NotRetried,     // a retry: a write of the configurator's, retried from the configurator
    } why;
    BoardAddress board;
};

struct JobPlan {
    JobRecord job; // the job asked about (a retry's: the roll-out's first)
    QList<WriteTarget> writes;
    QList<RebootTarget> reboots;
    JobOptions options; // the job's own, and what the new job undoes or retries
    QList<LeftAlone> leftAlone;
    bool empty() const { return writes.isEmpty() && reboots.isEmpty(); }
};

// `by`: who runs it, as the journal records it. Nothing, with why, when the journal has no
// such job or cannot be read.
std::optional<JobPlan> undoPlan(const Journal& journal, const QString& id, const QString& by,
                                JournalProblem* why);
std::optional<JobPlan> retryPlan(const Journal& journal, const QString& id, const QString& by,
                                 JournalProblem* why);

// One write undone (the history's "Повернути"): its board's memory before it, written back
// unless the board was written since (by a later entry of `newer`, its board's, newest first).
WriteTarget undoOfWrite(const JournalEntry& entry, const QList<JournalEntry>& newer);

} // namespace talvik
