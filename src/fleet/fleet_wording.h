#pragma once
// What the engine and the rules report (field names, why a board gave no answer, what
// the rules refuse, what became of each board, why a job stopped), in the fleet window's
// Ukrainian.

#include "client/job_result.h"

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

// A board's row after a job.
QString writeState(const BoardResult& result);
QString rebootState(const BoardResult& result);
QString backupState(const BoardResult& result, const QString& saveProblem);
// Why a job ended before its last board: empty when it went through.
QString stoppedText(const JobSummary& summary);

} // namespace talvik::fleet
