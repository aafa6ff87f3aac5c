#pragma once
// The journal's lines, one kind each, into JSON and back (journal.h shows them). What the
// journal's readers share; no program outside the journal reads the file's text.

#include "journal/journal.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>

namespace talvik::journal_format {

extern const QString LinesFile; // journal.jsonl

// A line of `kind`, "kind" first and compact, so that a reader finds its values without
// parsing it (JournalLine).
QByteArray line(const char* kind, const QJsonObject& rest);

QJsonObject resultJson(const WriteResult& result);
// An outcome's line (a result or a board line): its kinds, or those of the words older
// versions wrote alone; nothing for words of no known kind.
std::optional<WriteResult> resultOf(const QJsonObject& line);

// A write's line, its before file read from `folder`; nothing when it is no write line.
std::optional<JournalEntry> entryOf(const QJsonObject& line, const QString& folder, QStringList* problems);

QJsonObject jobJson(const JobRecord& job);
// A job's line; nothing when it is none (a problem named for a part that is not read).
std::optional<JobRecord> jobOf(const QJsonObject& line, QStringList* problems);
QJsonObject countsJson(const OutcomeCounts& counts);
OutcomeCounts countsOf(const QJsonObject& counts);

} // namespace talvik::journal_format
