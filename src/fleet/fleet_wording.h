#pragma once
// What the engine and the rules report (field names, why a board gave no answer, what
// the rules refuse, what became of each board, why a job stopped), in the fleet window's
// Ukrainian.

#include "board/backup_file.h"
#include "client/job_result.h"
#include "client/journal_plans.h"
#include "journal/journal.h"
#include "store/sites_file.h"

#include <QString>
#include <QStringList>

namespace talvik::fleet {

// Column titles of talvikctl's field names ("ip, ident": "IP, Ідентифікатор").
QString fieldTitles(const QStringList& fields);
// Why a board's answer was not taken: "не відповідає", "неповна відповідь (4 байти)", ...
QString noAnswerState(Reason why, qsizetype bytes);
// "IP 0.0.0.0 — не адреса вузла; маска ...": empty when the board stays in reach.
QString ipProblemsText(const WriteFields& fields, BoardAddress board);
// One thing the rules refuse, for `fields` planned for `board`.
QString refusalText(const Refusal& refusal, const WriteFields& fields, BoardAddress board);
// changedFields() with the window's titles: "Маска", "255.0.0.0", "255.255.255.0".
QList<ChangedField> titledChanges(const BoardConfig& now, const WriteFields& next);
// Every refusal of a decision, joined.
QString refusalsText(const QList<Refusal>& refusals, const WriteFields& fields, BoardAddress board);

// A board's row after a job; a write verified that its board takes only at a reboot says so.
QString writeState(const BoardResult& result);
QString rebootState(const BoardResult& result);
QString backupState(const BoardResult& result, const std::optional<SaveError>& saveProblem);
// Who wrote and what came of it, as the journal keeps them, in the window's words; who is
// another program is shown as it is, escaped, and so is a result of no kind the window knows.
QString byWords(const QString& by);
QString resultWords(const JournalEntry& entry);
// Why a file was not read, or is no backup, in one sentence that names the file once.
QString fileProblemText(const FileProblem& problem);
QString backupErrorText(const BackupError& error);
// Why a job ended before its last board: empty when it went through.
QString stoppedText(const JobSummary& summary);
// How many boards of a job came to each end, for a job of `kind`: "записано й перевірено: 55,
// невдало: 2"; empty when none.
QString countsText(const OutcomeCounts& counts, JobKind kind);
// A job of the journal: what it did ("зміна полів: Маска 255.255.0.0"), and what came of it
// (its counts, and whether it ended).
QString jobWhat(const JobRecord& job);
QString jobOutcome(const JobRecord& job);
// One board of a job of the journal: what became of it there.
QString jobBoardOutcome(const RollOutBoard& board, const JobRecord& job);
// What a whole job came to, for the status line: the count of each kind of end its boards
// had, why it stopped early, and which boards an end at once left unverified.
QString summaryText(const JobSummary& summary);
// What a forced write does not do as planned for a board (its refusals that may be
// forced), a line: "Ідентифікатор 1234 не буде записано: ...". Empty when nothing.
QString forcedText(const BoardResult& planned);
// For each board of a dry run whose refusals may all be forced: "127.0.0.2: " and its forcedText().
QStringList forcedLines(const QList<BoardResult>& planned);
// Why addresses typed or read name no board: "10.0.0.300: не адреса і не діапазон адрес".
QString boardsProblemText(const BoardsProblem& problem);
// A line of the sites file that names no board: "TalvikCom-sites.txt, рядок 5, об'єкт «Північ»: ...".
QString sitesProblemText(const QString& file, const SiteEntryProblem& bad);
// Why a job was not read from the journal: "У журналі «...» немає роботи ...".
QString journalProblemWords(const JournalProblem& problem);
// A table held against an earlier one: "1 нова, 2 зниклих, 5 змінених".
QString comparisonText(qint64 added, qint64 missing, qint64 changed);

} // namespace talvik::fleet
