#include "write_steps.h"

#include "client/write_checks.h"
#include "commands.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"

#include <QJsonArray>

namespace talvik::ctl {

Result writeAndVerify(Session& session, Journal& journal, const QString& by,
                      const std::optional<BoardConfig>& before, const BoardConfig& config, bool verify)
{
    const QByteArray frame = buildWriteFrame(config.fields);
    const QStringList dropped = notCarried(config.fields);
    QString why;
    const QString id = journal.recordWrite(config.address, by, before, frame, &why);
    if (id.isEmpty())
        return {Outcome::NotJournaled, {}, why, dropped};
    Result result{Outcome::Written, {}, {}, dropped};
    if (!session.client().send(config.address, frame)) {
        result.outcome = Outcome::NotSent;
    }
    else if (verify) {
        const BoardRead read = readBoard(session, config.address, Memory::Permanent, Completeness::Complete);
        if (!read.config) {
            result.outcome = Outcome::NoReadBack;
            result.detail = read.error;
        }
        else {
            result.differences = differencesAfterWrite(frame, *read.config);
            result.outcome = result.differences.isEmpty() ? Outcome::Verified : Outcome::Mismatch;
        }
    }
    if (!journal.recordResult(id, outcomeText(result), exitOf(result.outcome) == Success, &why))
        err() << "talvikctl: " << dottedText(config.address)
              << ": written, but its result is not in the journal: " << why << Qt::endl;
    return result;
}

QString outcomeText(const Result& result)
{
    const QString notWritten = result.notWritten.isEmpty() ? QString()
                                                           : QStringLiteral("; not written: ") +
                                                                 result.notWritten.join(QLatin1String(", "));
    switch (result.outcome) {
    case Outcome::Verified:
        return QStringLiteral("written, verified") + notWritten;
    case Outcome::Written:
        return QStringLiteral("written, not verified") + notWritten;
    case Outcome::NoReadBack:
        return QStringLiteral("written, no read-back (%1)").arg(result.detail);
    case Outcome::Mismatch:
        return QStringLiteral("written, the board holds something else");
    case Outcome::NotJournaled:
        return QStringLiteral("not written: ") + result.detail;
    case Outcome::NotSent:
        break;
    }
    return QStringLiteral("could not be sent");
}

int exitOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Verified:
    case Outcome::Written:
        return Success;
    case Outcome::Mismatch:
        return Mismatch;
    case Outcome::NotJournaled:
        return JournalFailed;
    case Outcome::NoReadBack:
    case Outcome::NotSent:
        break;
    }
    return NoReply;
}

void report(quint32 board, const Result& result, bool json)
{
    if (!result.notWritten.isEmpty())
        err() << "talvikctl: " << dottedText(board)
              << ": not written: " << result.notWritten.join(QLatin1String(", "))
              << " (a write frame with a static console carries none of them)" << Qt::endl;
    if (json) {
        QJsonArray diffs;
        for (const Difference& d : result.differences)
            diffs.append(QJsonObject{{QStringLiteral("field"), d.field},
                                     {QStringLiteral("sent"), d.sent},
                                     {QStringLiteral("read"), d.read}});
        printJson({{QStringLiteral("address"), dottedText(board)},
                   {QStringLiteral("result"), outcomeText(result)},
                   {QStringLiteral("ok"), exitOf(result.outcome) == Success},
                   {QStringLiteral("differences"), diffs},
                   {QStringLiteral("not_written"), QJsonArray::fromStringList(result.notWritten)}});
        return;
    }
    Table table({{{}, 16}, {{}, 12}, {{}, 18}, {}}, false);
    table.row({dottedText(board), outcomeText(result)});
    for (const Difference& d : result.differences)
        table.row(
            {QString(), d.field, QStringLiteral("written ") + d.sent, QStringLiteral("read back ") + d.read});
}

BoardConfig readBackup(const QString& path)
{
    try {
        BoardConfig config = readBackupFile(path);
        boardArgument(dottedText(config.address)); // a backup names a board, never a network
        return config;
    }
    catch (const BackupError& e) {
        throw UsageError{e.message};
    }
}

FieldChange changeOptions(const CommandLine& line)
{
    FieldChange change;
    const auto address = [&](const char* name, std::optional<Ipv4>& field) {
        if (line.isSet(QLatin1String(name)))
            field = octetsOf(addressArgument(line.value(QLatin1String(name))));
    };
    address("ip", change.ip);
    address("mask", change.mask);
    address("router", change.router);
    address("dispatcher", change.dispatcher);
    address("reserve1", change.reserve1);
    address("reserve2", change.reserve2);
    if (line.isSet(QStringLiteral("mac")))
        change.mac = macArgument(line.value(QStringLiteral("mac")));
    if (line.isSet(QStringLiteral("ident")))
        change.ident =
            quint16(numberArgument(QStringLiteral("ident"), line.value(QStringLiteral("ident")), 0, 65535));
    if (line.isSet(QStringLiteral("branch")))
        change.branch =
            quint8(numberArgument(QStringLiteral("branch"), line.value(QStringLiteral("branch")), 0, 255));
    const bool dhcp = line.isSet(QStringLiteral("dhcp")), noDhcp = line.isSet(QStringLiteral("no-dhcp"));
    const bool dynamic = line.isSet(QStringLiteral("console-dynamic"));
    const bool fixed = line.isSet(QStringLiteral("console-static"));
    if ((dhcp && noDhcp) || (dynamic && fixed) || (dhcp && fixed))
        throw UsageError{
            QStringLiteral("contradictory address types (a DHCP board needs a dynamic console)")};
    if (dhcp || noDhcp)
        change.dhcp = dhcp;
    if (dynamic || fixed)
        change.consoleDynamic = dynamic;
    return change;
}

QString refusal(const WriteFields& after, const FieldChange& change)
{
    if (QStringList given = consoleOnlyGiven(after, change); !given.isEmpty()) {
        for (QString& name : given)
            name.prepend(QLatin1String("--"));
        return QStringLiteral("%1 travel only with a dynamic console, and this board's is static: add "
                              "--console-dynamic, or leave them out")
            .arg(given.join(QLatin1String(", ")));
    }
    if (!addressTypesAgree(after))
        return QStringLiteral("the configuration pairs DHCP with a static console, which the window never "
                              "writes: add --console-dynamic or --no-dhcp");
    return {};
}

QString unlessForced(const BoardConfig& config)
{
    QStringList why;
    for (IpProblem problem : ipProblems(config.fields, config.address))
        why.append(ipProblemText(problem, config.fields));
    const QStringList dropped = notCarried(config.fields);
    if (!dropped.isEmpty()) {
        QStringList values;
        const auto texts = fieldTexts(config);
        for (const auto& [name, text] : texts)
            if (dropped.contains(name))
                values.append(name + u'=' + text);
        why.append(QStringLiteral("%1 cannot be written with a static console (the frame carries zeros "
                                  "instead)")
                       .arg(values.join(QLatin1String(", "))));
    }
    return why.isEmpty() ? QString()
                         : dottedText(config.address) + QStringLiteral(": ") + why.join(QLatin1String("; ")) +
                               QStringLiteral(": --force writes it anyway");
}

void addFieldOptions(CommandLine& line)
{
    line.parser.addOptions({
        {QStringLiteral("from"), QStringLiteral("Start from a backup file (survey --save)."),
         QStringLiteral("file")},
        {QStringLiteral("ip"), QStringLiteral("The board's own address."), QStringLiteral("address")},
        {QStringLiteral("mask"), QStringLiteral("Network mask."), QStringLiteral("address")},
        {QStringLiteral("router"), QStringLiteral("Gateway."), QStringLiteral("address")},
        {QStringLiteral("mac"), QStringLiteral("MAC address, six hexadecimal pairs."), QStringLiteral("mac")},
        {QStringLiteral("dhcp"),
         QStringLiteral("The board takes its address by DHCP (makes the console dynamic).")},
        {QStringLiteral("no-dhcp"), QStringLiteral("The board's address is static.")},
        {QStringLiteral("console-dynamic"), QStringLiteral("The dispatch console's address is dynamic.")},
        {QStringLiteral("console-static"),
         QStringLiteral("The console's address is static (makes the board static).")},
        {QStringLiteral("dispatcher"), QStringLiteral("Dispatcher computer (sent with a dynamic console)."),
         QStringLiteral("address")},
        {QStringLiteral("ident"), QStringLiteral("Board identifier 0..65535 (sent with a dynamic console)."),
         QStringLiteral("n")},
        {QStringLiteral("reserve1"), QStringLiteral("Reserve address 1 (sent with a dynamic console)."),
         QStringLiteral("address")},
        {QStringLiteral("reserve2"), QStringLiteral("Reserve address 2 (sent with a dynamic console)."),
         QStringLiteral("address")},
        {QStringLiteral("branch"), QStringLiteral("Network branch number 0..255."), QStringLiteral("n")},
        {QStringLiteral("no-verify"), QStringLiteral("Do not read the permanent memory back.")},
        {QStringLiteral("force"),
         QStringLiteral("Write also an IP address or mask at which the board would be out of reach, or a "
                        "configuration with values a static console's frame cannot carry.")},
    });
}

} // namespace talvik::ctl
