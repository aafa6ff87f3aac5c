#include "journal/journal_format.h"

#include "board/backup_file.h"
#include "journal/journal_lines.h"
#include "wire/board_address.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

namespace talvik::journal_format {

const QString LinesFile = QStringLiteral("journal.jsonl");

QByteArray line(const char* kind, const QJsonObject& rest)
{
    QByteArray body = QJsonDocument(rest).toJson(QJsonDocument::Compact);
    const QByteArray head = QByteArray("{\"kind\":\"") + kind + '"';
    return head + (rest.isEmpty() ? QByteArray("}") : ',' + body.mid(1)) + '\n';
}

QJsonObject resultJson(const WriteResult& r)
{
    QJsonObject o{
        {QStringLiteral("outcome"), outcomeKey(r.outcome)},
        {QStringLiteral("reason"), r.reason == Reason::None ? QJsonValue() : QJsonValue(reasonKey(r.reason))},
        {QStringLiteral("not_written"), QJsonArray::fromStringList(r.notWritten)},
        {QStringLiteral("taken_at_reboot"), r.takenAtReboot},
        {QStringLiteral("result"), writeResultText(r)},
        {QStringLiteral("ok"), succeeded(r.outcome)}};
    if (!r.detail.isEmpty())
        o.insert(QStringLiteral("detail"), r.detail);
    return o;
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
        r = {Outcome::Mismatch, Reason::Mismatch, {}, {}, false};
    else if (head == QLatin1String("written, cancelled before the read-back"))
        r = {Outcome::Cancelled, Reason::Cancelled, {}, {}, false};
    else if (head.startsWith(QLatin1String("written, no read-back")))
        r = {Outcome::Failed, Reason::NoReadBack, {}, {}, false};
    else if (head == QLatin1String("could not be sent"))
        r = {Outcome::Failed, Reason::NotSent, {}, {}, false};
    else
        return std::nullopt;
    return r;
}

QStringList strings(const QJsonValue& value)
{
    QStringList out;
    for (const QJsonValue& v : value.toArray())
        out.append(v.toString());
    return out;
}

std::optional<BoardAddress> boardOf(const QJsonValue& value)
{
    const auto address = parseDottedDecimal(value.toString());
    return address ? std::optional(BoardAddress(*address)) : std::nullopt;
}
} // namespace

std::optional<WriteResult> resultOf(const QJsonObject& o)
{
    const auto outcome = outcomeFromKey(o.value(QStringLiteral("outcome")).toString());
    if (!outcome)
        return fromOldWords(o.value(QStringLiteral("result")).toString());
    WriteResult r;
    r.outcome = *outcome;
    r.reason = reasonFromKey(o.value(QStringLiteral("reason")).toString()).value_or(Reason::None);
    r.notWritten = strings(o.value(QStringLiteral("not_written")));
    r.detail = o.value(QStringLiteral("detail")).toString();
    r.takenAtReboot = o.value(QStringLiteral("taken_at_reboot")).toBool();
    return r;
}

std::optional<JournalEntry> entryOf(const QJsonObject& o, const QString& folder, QStringList* problems)
{
    const QString id = o.value(QStringLiteral("id")).toString();
    const auto board = boardOf(o.value(QStringLiteral("board")));
    const QByteArray frame = QByteArray::fromHex(o.value(QStringLiteral("frame")).toString().toLatin1());
    if (o.value(QStringLiteral("kind")).toString() != QLatin1String("write") || id.isEmpty() || !board ||
        !isWriteFrame(frame))
        return std::nullopt;
    JournalEntry e;
    e.id = id;
    e.job = o.value(QStringLiteral("job")).toString();
    e.time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    e.board = *board;
    e.by = o.value(QStringLiteral("by")).toString();
    e.frame = frame;
    e.sent = BoardConfig{e.board, readConfiguration(frame), std::nullopt, Memory::Permanent};
    if (const QString name = o.value(QStringLiteral("before")).toString(); !name.isEmpty()) {
        try {
            e.before = readBackupFile(QDir(folder).filePath(name));
        }
        catch (const BackupError& error) {
            if (problems)
                problems->append(error.message());
        }
    }
    return e;
}

namespace {
// A change as talvikctl's options name its fields: {"mask":"255.255.0.0","dhcp":false,...}.
QJsonObject changeJson(const FieldChange& c)
{
    QJsonObject o;
    const auto address = [&](const char* key, const std::optional<Ipv4>& v) {
        if (v)
            o.insert(QLatin1String(key), dottedText(*v));
    };
    address("ip", c.ip);
    address("mask", c.mask);
    address("router", c.router);
    address("dispatcher", c.dispatcher);
    address("reserve1", c.reserve1);
    address("reserve2", c.reserve2);
    if (c.mac)
        o.insert(QStringLiteral("mac"), macText(*c.mac));
    if (c.ident)
        o.insert(QStringLiteral("ident"), int(*c.ident));
    if (c.branch)
        o.insert(QStringLiteral("branch"), int(*c.branch));
    if (c.consoleDynamic)
        o.insert(QStringLiteral("console"),
                 *c.consoleDynamic ? QStringLiteral("dynamic") : QStringLiteral("static"));
    if (c.dhcp)
        o.insert(QStringLiteral("dhcp"), *c.dhcp);
    return o;
}

std::optional<FieldChange> changeOf(const QJsonObject& o)
{
    FieldChange c;
    const auto address = [&](const char* key, std::optional<Ipv4>& v) {
        if (const auto a = parseDottedDecimal(o.value(QLatin1String(key)).toString()))
            v = octetsOf(*a);
        return !o.contains(QLatin1String(key)) || v.has_value();
    };
    bool ok = address("ip", c.ip) && address("mask", c.mask) && address("router", c.router) &&
              address("dispatcher", c.dispatcher) && address("reserve1", c.reserve1) &&
              address("reserve2", c.reserve2);
    if (o.contains(QStringLiteral("mac"))) {
        c.mac = parseMac(o.value(QStringLiteral("mac")).toString());
        ok = ok && c.mac;
    }
    if (o.contains(QStringLiteral("ident")))
        c.ident = quint16(o.value(QStringLiteral("ident")).toInt());
    if (o.contains(QStringLiteral("branch")))
        c.branch = quint8(o.value(QStringLiteral("branch")).toInt());
    if (o.contains(QStringLiteral("console")))
        c.consoleDynamic = o.value(QStringLiteral("console")).toString() == QLatin1String("dynamic");
    if (o.contains(QStringLiteral("dhcp")))
        c.dhcp = o.value(QStringLiteral("dhcp")).toBool();
    return ok ? std::optional(c) : std::nullopt;
}

std::optional<BoardConfig> backupOf(const QJsonValue& text, const QString& what, QStringList* problems)
{
    try {
        return parseBackup(text.toString().toUtf8(), what);
    }
    catch (const BackupError& e) {
        if (problems)
            problems->append(e.message());
    }
    return std::nullopt;
}
} // namespace

QJsonObject countsJson(const OutcomeCounts& counts)
{
    QJsonObject o;
    for (const auto& [key, n] : counts.byKey())
        if (n > 0)
            o.insert(key, n);
    return o;
}

OutcomeCounts countsOf(const QJsonObject& o)
{
    OutcomeCounts counts;
    for (auto it = o.begin(); it != o.end(); ++it)
        counts.set(it.key(), it.value().toInt());
    return counts;
}

QJsonObject jobJson(const JobRecord& j)
{
    QJsonArray boards, ports;
    for (BoardAddress b : j.boards)
        boards.append(dottedText(b));
    for (quint16 p : j.ports)
        ports.append(int(p));
    QJsonObject o{
        {QStringLiteral("job"), j.id},
        {QStringLiteral("time"), j.time.toUTC().toString(Qt::ISODateWithMs)},
        {QStringLiteral("what"), j.what},
        {QStringLiteral("by"), j.by},
        {QStringLiteral("boards"), boards},
        {QStringLiteral("options"), QJsonObject{{QStringLiteral("force"), j.force},
                                                {QStringLiteral("verify"), j.verify},
                                                {QStringLiteral("max_failures"), j.maxFailures},
                                                {QStringLiteral("reboot_wait_s"), j.rebootWaitSeconds},
                                                {QStringLiteral("ports"), ports},
                                                {QStringLiteral("word_port"), int(j.wordPort)},
                                                {QStringLiteral("timeout_ms"), j.timeoutMs},
                                                {QStringLiteral("retries"), j.retries}}}};
    if (j.change)
        o.insert(QStringLiteral("change"), changeJson(*j.change));
    if (j.base)
        o.insert(QStringLiteral("base"), QString::fromUtf8(backupText(*j.base)));
    if (!j.sources.isEmpty()) {
        QJsonObject sources;
        for (auto it = j.sources.cbegin(); it != j.sources.cend(); ++it)
            sources.insert(dottedText(it.key()), QString::fromUtf8(backupText(it.value())));
        o.insert(QStringLiteral("sources"), sources);
    }
    const auto text = [&](const char* key, const QString& value) {
        if (!value.isEmpty())
            o.insert(QLatin1String(key), value);
    };
    text("user", j.user);
    text("host", j.host);
    text("operator", j.operatorName);
    if (j.takeMac)
        o.insert(QStringLiteral("take_mac"), true);
    if (!j.undoes.isEmpty())
        o.insert(QStringLiteral("undoes"), j.undoes);
    if (!j.undoesWrites.isEmpty())
        o.insert(QStringLiteral("undoes_writes"), QJsonArray::fromStringList(j.undoesWrites));
    if (!j.retryOf.isEmpty())
        o.insert(QStringLiteral("retry_of"), j.retryOf);
    return o;
}

std::optional<JobRecord> jobOf(const QJsonObject& o, QStringList* problems)
{
    JobRecord j;
    j.id = o.value(QStringLiteral("job")).toString();
    if (j.id.isEmpty())
        return std::nullopt;
    j.time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    j.what = o.value(QStringLiteral("what")).toString();
    j.by = o.value(QStringLiteral("by")).toString();
    j.user = o.value(QStringLiteral("user")).toString();
    j.host = o.value(QStringLiteral("host")).toString();
    j.operatorName = o.value(QStringLiteral("operator")).toString();
    for (const QJsonValue& b : o.value(QStringLiteral("boards")).toArray())
        if (const auto board = boardOf(b))
            j.boards.append(*board);
    const QJsonObject options = o.value(QStringLiteral("options")).toObject();
    j.force = options.value(QStringLiteral("force")).toBool();
    j.verify = options.value(QStringLiteral("verify")).toBool(true);
    j.maxFailures = options.value(QStringLiteral("max_failures")).toInt(-1);
    j.rebootWaitSeconds = options.value(QStringLiteral("reboot_wait_s")).toInt();
    for (const QJsonValue& p : options.value(QStringLiteral("ports")).toArray())
        if (p.toInt() > 0 && p.toInt() < 65536)
            j.ports.append(quint16(p.toInt()));
    j.wordPort = quint16(qBound(0, options.value(QStringLiteral("word_port")).toInt(), 65535));
    j.timeoutMs = options.value(QStringLiteral("timeout_ms")).toInt();
    j.retries = options.value(QStringLiteral("retries")).toInt();
    if (o.contains(QStringLiteral("change")))
        j.change = changeOf(o.value(QStringLiteral("change")).toObject());
    if (o.contains(QStringLiteral("base")))
        j.base =
            backupOf(o.value(QStringLiteral("base")), QStringLiteral("job %1's base").arg(j.id), problems);
    const QJsonObject sources = o.value(QStringLiteral("sources")).toObject();
    for (auto it = sources.begin(); it != sources.end(); ++it)
        if (const auto board = boardOf(it.key()))
            if (const auto backup = backupOf(
                    it.value(), QStringLiteral("job %1's backup of %2").arg(j.id, it.key()), problems))
                j.sources.insert(*board, *backup);
    j.takeMac = o.value(QStringLiteral("take_mac")).toBool();
    j.undoes = o.value(QStringLiteral("undoes")).toString();
    j.undoesWrites = strings(o.value(QStringLiteral("undoes_writes")));
    j.retryOf = o.value(QStringLiteral("retry_of")).toString();
    return j;
}

} // namespace talvik::journal_format
