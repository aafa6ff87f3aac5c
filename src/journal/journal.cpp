#include "journal/journal.h"

#include "board/backup_file.h"
#include "board/untrusted_text.h"
#include "store/file_replacement.h"
#include "wire/board_address.h"
#include "wire/input_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>

namespace talvik {

namespace {
const QString LinesFile = QStringLiteral("journal.jsonl");

QString newId(BoardAddress board)
{
    static std::atomic<int> serial{0};
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmsszzz")) + u'-' +
           dottedText(board) + u'-' + QString::number(QCoreApplication::applicationPid()) + u'-' +
           QString::number(++serial);
}

QString timeText()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

QByteArray jsonLine(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}
} // namespace

Journal::Journal(const QString& folder) : folder_(folder) {}

QString Journal::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/TalvikCom/journal");
}

namespace {
// Whether the file's last byte ends a line: a line torn by a full disk or a crash must not
// swallow the next one.
bool endsLine(QFile& file, qint64 end)
{
    return end == 0 || (file.seek(end - 1) && file.read(1) == "\n");
}
} // namespace

bool Journal::appendLine(const QByteArray& line, QString* error)
{
    QFile file(QDir(folder_).filePath(LinesFile));
    QString why;
    if (file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        const qint64 end = file.size();
        const QByteArray text = endsLine(file, end) ? line : '\n' + line;
        if (file.write(text) == text.size() && syncToDisk(file, &why))
            return true;
        if (why.isEmpty())
            why = file.errorString();
        file.resize(end); // a line that did not go whole is taken back
    }
    if (error)
        *error =
            QStringLiteral("the journal %1 cannot be written: %2")
                .arg(QDir::toNativeSeparators(file.fileName()), why.isEmpty() ? file.errorString() : why);
    return false;
}

QString Journal::recordWrite(BoardAddress board, const QString& by, const std::optional<BoardConfig>& before,
                             const QByteArray& frame, QString* error)
{
    const QString id = newId(board);
    if (!QDir().mkpath(folder_ + QStringLiteral("/before"))) {
        if (error)
            *error = QStringLiteral("the journal's folder %1 cannot be made")
                         .arg(QDir::toNativeSeparators(folder_));
        return {};
    }
    QJsonValue beforeFile;
    if (before) {
        const QString name = QStringLiteral("before/%1.conf").arg(id);
        QSaveFile file(QDir(folder_).filePath(name));
        const QByteArray text = backupText(*before);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
            if (error)
                *error = QStringLiteral("the journal's backup %1 cannot be written: %2")
                             .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
            return {};
        }
        beforeFile = name;
    }
    BoardConfig sent{board, readConfiguration(frame), std::nullopt, Memory::Permanent};
    const QJsonObject line{{QStringLiteral("kind"), QStringLiteral("write")},
                           {QStringLiteral("id"), id},
                           {QStringLiteral("time"), timeText()},
                           {QStringLiteral("board"), dottedText(board)},
                           {QStringLiteral("by"), by},
                           {QStringLiteral("before"), beforeFile},
                           {QStringLiteral("sent"), toJson(sent)},
                           {QStringLiteral("frame"), QString::fromLatin1(frame.toHex())}};
    if (appendLine(jsonLine(line), error))
        return id;
    if (before)
        QFile::remove(QDir(folder_).filePath(beforeFile.toString())); // nothing refers to it
    return {};
}

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

namespace {
// A result line of a version that wrote only words: their kinds.
std::optional<WriteResult> fromOldWords(const QString& text)
{
    const QString notWritten = QStringLiteral("; not written: ");
    const QString head = text.section(notWritten, 0, 0);
    WriteResult r;
    if (text.contains(notWritten))
        r.notWritten = text.section(notWritten, 1).split(QStringLiteral(", "));
    if (head == QLatin1String("written, verified"))
        r.outcome = Outcome::Done;
    else if (head == QLatin1String("written, not verified"))
        r.outcome = Outcome::Unverified;
    else if (head == QLatin1String("written, the board holds something else"))
        r = {Outcome::Mismatch, Reason::Mismatch, {}, {}};
    else if (head == QLatin1String("written, cancelled before the read-back"))
        r = {Outcome::Cancelled, Reason::Cancelled, {}, {}};
    else if (head.startsWith(QLatin1String("written, no read-back")))
        r = {Outcome::Failed, Reason::NoReadBack, {}, {}};
    else if (head == QLatin1String("could not be sent"))
        r = {Outcome::Failed, Reason::NotSent, {}, {}};
    else
        return std::nullopt;
    return r;
}

std::optional<WriteResult> resultOf(const QJsonObject& o)
{
    const auto outcome = outcomeFromKey(o.value(QStringLiteral("outcome")).toString());
    if (!outcome)
        return fromOldWords(o.value(QStringLiteral("result")).toString());
    WriteResult r;
    r.outcome = *outcome;
    r.reason = reasonFromKey(o.value(QStringLiteral("reason")).toString()).value_or(Reason::None);
    for (const QJsonValue& field : o.value(QStringLiteral("not_written")).toArray())
        r.notWritten.append(field.toString());
    r.detail = o.value(QStringLiteral("detail")).toString();
    return r;
}
} // namespace

bool Journal::recordResult(const QString& id, const WriteResult& result, QString* error)
{
    QJsonObject line{{QStringLiteral("kind"), QStringLiteral("result")},
                     {QStringLiteral("id"), id},
                     {QStringLiteral("time"), timeText()},
                     {QStringLiteral("outcome"), outcomeKey(result.outcome)},
                     {QStringLiteral("reason"),
                      result.reason == Reason::None ? QJsonValue() : QJsonValue(reasonKey(result.reason))},
                     {QStringLiteral("not_written"), QJsonArray::fromStringList(result.notWritten)},
                     {QStringLiteral("result"), writeResultText(result)},
                     {QStringLiteral("ok"), succeeded(result.outcome)}};
    if (!result.detail.isEmpty())
        line.insert(QStringLiteral("detail"), result.detail);
    return appendLine(jsonLine(line), error);
}

QList<JournalEntry> Journal::entries(std::optional<BoardAddress> board, QStringList* problems) const
{
    const QString path = QDir(folder_).filePath(LinesFile);
    if (!QFile::exists(path))
        return {};
    QString why;
    const std::optional<QByteArray> read =
        readInputFile(path, MostBytes, QStringLiteral("the journal"), &why);
    if (!read) {
        if (problems)
            problems->append(why);
        return {};
    }
    const QByteArray& text = *read;
    QList<JournalEntry> found;
    QHash<QString, qsizetype> at;
    int number = 0;
    for (const QByteArray& line : text.split('\n')) {
        ++number;
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        const QString kind = o.value(QStringLiteral("kind")).toString();
        const QString id = o.value(QStringLiteral("id")).toString();
        if (kind == QLatin1String("result") && at.contains(id)) {
            found[at[id]].result = resultOf(o);
            found[at[id]].resultText = o.value(QStringLiteral("result")).toString();
            found[at[id]].ok = o.value(QStringLiteral("ok")).toBool();
            continue;
        }
        const std::optional<quint32> address =
            parseDottedDecimal(o.value(QStringLiteral("board")).toString());
        const QByteArray frame = QByteArray::fromHex(o.value(QStringLiteral("frame")).toString().toLatin1());
        if (kind != QLatin1String("write") || id.isEmpty() || !address || !isWriteFrame(frame)) {
            if (problems && kind != QLatin1String("result"))
                problems->append(QStringLiteral("%1:%2: not a journal line").arg(path).arg(number));
            continue;
        }
        if (board && BoardAddress(*address) != *board)
            continue;
        JournalEntry e;
        e.id = id;
        e.time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
        e.board = BoardAddress(*address);
        e.by = o.value(QStringLiteral("by")).toString();
        e.frame = frame;
        e.sent = BoardConfig{e.board, readConfiguration(frame), std::nullopt, Memory::Permanent};
        if (const QString name = o.value(QStringLiteral("before")).toString(); !name.isEmpty()) {
            try {
                e.before = readBackupFile(QDir(folder_).filePath(name));
            }
            catch (const BackupError& error) {
                if (problems)
                    problems->append(error.message());
            }
        }
        at.insert(id, found.size());
        found.append(e);
    }
    std::reverse(found.begin(), found.end());
    return found;
}

} // namespace talvik
