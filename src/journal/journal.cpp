#include "journal/journal.h"

#include "board/backup_file.h"
#include "journal/journal_format.h"
#include "journal/journal_lines.h"
#include "store/file_lock.h"
#include "store/file_replacement.h"
#include "wire/board_address.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <atomic>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace talvik {

using namespace journal_format;

namespace {
// "20261208T051500123-127.0.1.3-4711-7-9f3a2c" for a write; "20261208T051500-4711-3-5be01d" for a
// job. The random end keeps ids apart where the time, the process number and the count agree:
// two programs in one second whose process numbers the system reused, two PCs.
QString newId(const QString& format, const QString& middle = {})
{
    static std::atomic<int> serial{0};
    return QDateTime::currentDateTimeUtc().toString(format) + u'-' +
           (middle.isEmpty() ? QString() : middle + u'-') +
           QString::number(QCoreApplication::applicationPid()) + u'-' + QString::number(++serial) + u'-' +
           QString::number(QRandomGenerator::system()->bounded(0x1000000u) | 0x1000000u, 16).mid(1);
}

// The system's name for the user this program runs as.
QString systemUser()
{
#ifdef Q_OS_UNIX
    if (const passwd* entry = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

QString timeText()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

// Whether the file's last byte ends a line: a line torn by a full disk or a crash must not
// swallow the next one.
bool endsLine(QFile& file, qint64 end)
{
    return end == 0 || (file.seek(end - 1) && file.read(1) == "\n");
}
} // namespace

QString writeResultText(const WriteResult& r)
{
    const QString notWritten =
        r.notWritten.isEmpty() ? QString()
                               : QStringLiteral("; not written: ") + r.notWritten.join(QLatin1String(", "));
    switch (r.outcome) {
    case Outcome::Done:
        return QStringLiteral("written, verified") + notWritten;
    case Outcome::Unverified:
        return QStringLiteral("written, not verified") + notWritten;
    case Outcome::Mismatch:
        return QStringLiteral("written, the board holds something else");
    case Outcome::Cancelled:
        return QStringLiteral("written, cancelled before the read-back");
    case Outcome::Failed:
        if (r.reason == Reason::NoReadBack)
            return QStringLiteral("written, no read-back (%1)").arg(r.detail);
        if (r.reason == Reason::NotSent)
            return QStringLiteral("could not be sent");
        break;
    default:
        break;
    }
    return outcomeKey(r.outcome);
}

Journal::Journal(const QString& folder) : folder_(folder) {}

QString Journal::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/TalvikCom/journal");
}

QString Journal::path() const
{
    return QDir(folder_).filePath(LinesFile);
}

qint64 Journal::size() const
{
    return QFileInfo(path()).size();
}

bool Journal::appendLine(const QByteArray& line, QString* error, const std::function<bool()>& first)
{
    QFile file(path());
    QString why;
    if (QDir().mkpath(folder_) &&
        file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        const FileLock lock(file);
        if (!lock.locked()) {
            why = QStringLiteral("it is locked: %1").arg(lock.why());
        }
        else {
            if (first && !first())
                return false;
            const qint64 end = file.size();
            const QByteArray text = endsLine(file, end) ? line : '\n' + line;
            if (file.write(text) == text.size() && syncToDisk(file, &why))
                return true;
            if (why.isEmpty())
                why = file.errorString();
            file.resize(end); // under the lock only this program's part of a line is taken back
        }
    }
    if (error)
        *error =
            QStringLiteral("the journal %1 cannot be written: %2")
                .arg(QDir::toNativeSeparators(file.fileName()), why.isEmpty() ? file.errorString() : why);
    return false;
}

namespace {
QString newJobId()
{
    return newId(QStringLiteral("yyyyMMdd'T'HHmmss"));
}

QByteArray jobLine(JobRecord job, const QString& id)
{
    job.id = id;
    job.time = QDateTime::currentDateTimeUtc();
    job.user = systemUser();
    job.host = QSysInfo::machineHostName();
    return line("job", jobJson(job));
}

QString beforeFileOf(const QString& id)
{
    return QStringLiteral("before/%1.conf").arg(id);
}
} // namespace

QString Journal::beginJob(const JobRecord& job, QString* error)
{
    const QString id = newJobId();
    return appendLine(jobLine(job, id), error) ? id : QString();
}

QByteArray Journal::endLine(const QString& job, const OutcomeCounts& counts, Reason stoppedBy) const
{
    return line("end", {{QStringLiteral("job"), job},
                        {QStringLiteral("time"), timeText()},
                        {QStringLiteral("counts"), countsJson(counts)},
                        {QStringLiteral("stopped_by"),
                         stoppedBy == Reason::None ? QJsonValue() : QJsonValue(reasonKey(stoppedBy))}});
}

bool Journal::endJob(const QString& job, const OutcomeCounts& counts, Reason stoppedBy, QString* error)
{
    return appendLine(endLine(job, counts, stoppedBy), error);
}

QByteArray Journal::writeLine(const QString& job, const QString& id, BoardAddress board, const QString& by,
                              const std::optional<BoardConfig>& before, const QByteArray& frame,
                              QString* error)
{
    if (!QDir().mkpath(folder_ + QStringLiteral("/before"))) {
        if (error)
            *error = QStringLiteral("the journal's folder %1 cannot be made")
                         .arg(QDir::toNativeSeparators(folder_));
        return {};
    }
    QJsonValue beforeFile;
    if (before) {
        QSaveFile file(QDir(folder_).filePath(beforeFileOf(id)));
        const QByteArray text = backupText(*before);
        QString why;
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(text) != text.size() ||
            !syncToDisk(file, &why) || !file.commit()) {
            if (error)
                *error = QStringLiteral("the journal's backup %1 cannot be written: %2")
                             .arg(QDir::toNativeSeparators(file.fileName()),
                                  why.isEmpty() ? file.errorString() : why);
            return {};
        }
        beforeFile = beforeFileOf(id);
    }
    BoardConfig sent{board, readConfiguration(frame), std::nullopt, Memory::Permanent};
    QJsonObject o{{QStringLiteral("id"), id},
                  {QStringLiteral("time"), timeText()},
                  {QStringLiteral("board"), dottedText(board)},
                  {QStringLiteral("by"), by},
                  {QStringLiteral("before"), beforeFile},
                  {QStringLiteral("sent"), toJson(sent)},
                  {QStringLiteral("frame"), QString::fromLatin1(frame.toHex())}};
    if (!job.isEmpty())
        o.insert(QStringLiteral("job"), job);
    return line("write", o);
}

bool Journal::guardHolds(BoardAddress board, JournalGuard& guard, qint64 since, QString* writtenBy) const
{
    // Only the lines appended since the job's last write are read.
    JournalLines(path()).forward(
        qMax(guard.from, guard.readTo),
        [&](QByteArrayView text, qint64 offset) {
            JournalLine line(text);
            guard.readTo = offset + text.size() + 1;
            if (line.kind() != "write")
                return true;
            const QString job = QString::fromUtf8(line.text("job"));
            const auto address = addressIn(line.text("board"));
            if (address && !guard.own.contains(job))
                guard.lastOther.insert(BoardAddress(*address),
                                       {offset, job.isEmpty() ? QString::fromUtf8(line.text("id")) : job});
            return true;
        },
        nullptr);
    const auto other = guard.lastOther.constFind(board);
    if (other == guard.lastOther.cend() || other->first < since)
        return true;
    if (writtenBy)
        *writtenBy = other->second;
    return false;
}

QString Journal::recordWrite(const QString& job, BoardAddress board, const QString& by,
                             const std::optional<BoardConfig>& before, const QByteArray& frame,
                             QString* error, JournalGuard* guard, qint64 since, QString* writtenBy)
{
    const QString id = newId(QStringLiteral("yyyyMMdd'T'HHmmsszzz"), dottedText(board));
    const QByteArray text = writeLine(job, id, board, by, before, frame, error);
    bool stopped = false;
    const auto guardHoldsHere = [&] {
        stopped = guard && !guardHolds(board, *guard, since, writtenBy);
        return !stopped;
    };
    if (!text.isEmpty() && appendLine(text, error, guardHoldsHere))
        return id;
    if (stopped && error)
        error->clear();
    if (before)
        QFile::remove(QDir(folder_).filePath(beforeFileOf(id))); // nothing refers to it
    return {};
}

QString Journal::recordSingleWrite(const QString& by, BoardAddress board,
                                   const std::optional<BoardConfig>& before, const QByteArray& frame,
                                   QString* job, QString* error)
{
    JobRecord record;
    record.what = QStringLiteral("write");
    record.by = by;
    record.boards = {board};
    const QString jobId = newJobId();
    const QString id = newId(QStringLiteral("yyyyMMdd'T'HHmmsszzz"), dottedText(board));
    const QByteArray text = writeLine(jobId, id, board, by, before, frame, error);
    if (!text.isEmpty() && appendLine(jobLine(record, jobId) + text, error)) {
        *job = jobId;
        return id;
    }
    if (before)
        QFile::remove(QDir(folder_).filePath(beforeFileOf(id)));
    return {};
}

QByteArray Journal::resultLine(const QString& job, const QString& id, BoardAddress board,
                               const WriteResult& result) const
{
    QJsonObject o = resultJson(result);
    o.insert(QStringLiteral("id"), id);
    o.insert(QStringLiteral("board"), dottedText(board));
    o.insert(QStringLiteral("time"), timeText());
    if (!job.isEmpty())
        o.insert(QStringLiteral("job"), job);
    return line("result", o);
}

bool Journal::recordResult(const QString& job, const QString& id, BoardAddress board,
                           const WriteResult& result, QString* error)
{
    return appendLine(resultLine(job, id, board, result), error);
}

bool Journal::recordSingleResult(const QString& job, const QString& id, BoardAddress board,
                                 const WriteResult& result, QString* error)
{
    OutcomeCounts counts;
    counts.count(result.outcome, result.takenAtReboot);
    return appendLine(resultLine(job, id, board, result) + endLine(job, counts, Reason::None), error);
}

bool Journal::recordBoard(const QString& job, BoardAddress board, const WriteResult& result, QString* error)
{
    QJsonObject o = resultJson(result);
    o.remove(QStringLiteral("result")); // talvikctl's words are for writes
    o.insert(QStringLiteral("job"), job);
    o.insert(QStringLiteral("board"), dottedText(board));
    o.insert(QStringLiteral("time"), timeText());
    return appendLine(line("board", o), error);
}

void Journal::unreadLine(qint64 offset, UnreadLines& unread, QStringList* problems) const
{
    unread.file = path();
    if (unread.named.size() >= UnreadLines::MostNamed) {
        ++unread.more;
        return;
    }
    const qint64 number = JournalLines(path()).lineNumberAt(offset);
    unread.named.append(number);
    if (problems)
        problems->append(QStringLiteral("%1:%2: not a journal line").arg(path()).arg(number));
}

void Journal::unreadMore(const UnreadLines& unread, QStringList* problems) const
{
    if (unread.more > 0 && problems)
        problems->append(
            QStringLiteral("%1: %2 more lines that are no journal line").arg(path()).arg(unread.more));
}

void Journal::forEachEntry(const std::optional<QSet<BoardAddress>>& boards,
                           const std::function<bool(const JournalEntry&)>& each, QStringList* problems,
                           qint64 newestBytes, UnreadLines* unreadOut) const
{
    UnreadLines unread;
    // Newest first: a write's result (after it in the file) is met before the write.
    QHash<QString, QJsonObject> results;
    QString why;
    const bool read = JournalLines(path()).backward(
        [&](QByteArrayView text, qint64 offset) {
            JournalLine line(text);
            const QByteArrayView kind = line.kind();
            if (kind == "result") {
                const QByteArrayView board = line.text("board");
                if (boards && !board.isEmpty()) { // a result of this version names its board
                    const auto address = parseDottedDecimal(QString::fromLatin1(board));
                    if (address && !boards->contains(BoardAddress(*address)))
                        return true;
                }
                const QJsonObject o = line.object();
                results.insert(o.value(QStringLiteral("id")).toString(), o);
                return true;
            }
            if (kind != "write") {
                if (kind.isEmpty())
                    unreadLine(offset, unread, problems);
                return true;
            }
            if (boards) { // the board before the whole line is read
                const auto address = parseDottedDecimal(QString::fromLatin1(line.text("board")));
                if (address && !boards->contains(BoardAddress(*address)))
                    return true;
            }
            std::optional<JournalEntry> e = entryOf(line.object(), folder_, problems);
            if (!e) {
                unreadLine(offset, unread, problems);
                return true;
            }
            if (const auto found = results.constFind(e->id); found != results.cend()) {
                e->result = resultOf(*found);
                e->resultText = found->value(QStringLiteral("result")).toString();
                e->ok = found->value(QStringLiteral("ok")).toBool();
                results.erase(found);
            }
            return each(*e);
        },
        &why, newestBytes);
    unreadMore(unread, problems);
    if (unreadOut)
        *unreadOut = unread;
    if (!read && problems)
        problems->append(QStringLiteral("%1: %2").arg(path(), why));
}

QList<JournalEntry> Journal::entries(const std::optional<QSet<BoardAddress>>& boards, QStringList* problems,
                                     qsizetype most, qint64 newestBytes, UnreadLines* unread) const
{
    QList<JournalEntry> found;
    forEachEntry(
        boards,
        [&](const JournalEntry& e) {
            found.append(e);
            return most < 0 || found.size() < most;
        },
        problems, newestBytes, unread);
    return found;
}

} // namespace talvik
