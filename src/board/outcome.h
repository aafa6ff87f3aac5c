#pragma once
// What became of one board in a job: a kind every front end words in its own language, and
// the journal keeps as a stable token.

#include "board/reason.h"

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace talvik {

enum class Outcome {
    Done,       // read; rebooted (and back, when waited for); written and verified
    Unverified, // written, not read back (asked not to)
    Mismatch,   // written, and the board holds something else
    Refused,    // the rules refuse it: nothing was sent
    Failed,     // the board gave no base, or the write or reboot went wrong
    NotTried,   // the job stopped before this board
    Cancelled,  // the operator stopped the job
    Planned,    // a dry run: what would be written
    Unchanged,  // asked to leave alone a board that holds the values already: nothing written
};
// The words scripts and the journal read: "done", "unverified", "mismatch", "refused",
// "failed", "not-tried", "cancelled", "planned", "unchanged".
QString outcomeKey(Outcome outcome);
std::optional<Outcome> outcomeFromKey(const QString& key);
bool succeeded(Outcome outcome); // Done, Unverified, Planned, Unchanged
// What a retry takes again: never a board written successfully, nor one the rules refused.
bool isRetried(Outcome outcome);

// How many boards of a job came to each end.
struct OutcomeCounts {
    int done = 0;           // read; rebooted; written and verified, and in effect
    int awaitingReboot = 0; // written and verified, taken by the board at its next reboot
    int unverified = 0;     // written, not read back (asked not to)
    int planned = 0;        // a dry run
    int mismatch = 0;       // written, and the board holds something else
    int failed = 0, refused = 0, notTried = 0, cancelled = 0;
    int unchanged = 0; // held the values already: nothing written

    void count(Outcome outcome, bool takenAtReboot = false);
    int succeeded() const { return done + awaitingReboot + unverified + planned + unchanged; }
    int counted() const { return succeeded() + mismatch + failed + refused + notTried + cancelled; }
    // Each count by its word ("done", "awaiting-reboot", "not-tried", ...), and back.
    QList<QPair<QString, int>> byKey() const;
    void set(const QString& key, int n);
};

} // namespace talvik
