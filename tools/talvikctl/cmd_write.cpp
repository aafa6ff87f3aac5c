// talvikctl write and apply: the window's write frame, then the permanent memory
// read back and compared field by field.

#include "arguments.h"
#include "client/write_checks.h"
#include "commands.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

namespace talvik::ctl {

namespace {
enum class Outcome { Verified, Written, NoReadBack, Mismatch, NotSent };

struct Result {
    Outcome outcome;
    QList<Difference> differences;
    QString detail;         // why there was no read-back
    QStringList notWritten; // what the configuration held and the frame could not carry (--force)
};

Result writeAndVerify(Session& session, const BoardConfig& config, bool verify)
{
    const QByteArray frame = buildWriteFrame(config.fields);
    const QStringList dropped = notCarried(config.fields);
    if (!session.client().send(config.address, frame))
        return {Outcome::NotSent, {}, {}, dropped};
    if (!verify)
        return {Outcome::Written, {}, {}, dropped};
    const BoardRead read = readBoard(session, config.address, Memory::Permanent, Completeness::Complete);
    if (!read.config)
        return {Outcome::NoReadBack, {}, read.error, dropped};
    const QList<Difference> diffs = differencesAfterWrite(frame, *read.config);
    return {diffs.isEmpty() ? Outcome::Verified : Outcome::Mismatch, diffs, {}, dropped};
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

// The options that change one field; each value is checked before anything is sent.
struct FieldOptions {
    QStringList consoleOnly; // given options that travel only with a dynamic console
};

FieldOptions applyOptions(const CommandLine& line, WriteFields& f)
{
    FieldOptions given;
    const auto address = [&](const char* name, Ipv4& field) {
        if (line.isSet(QLatin1String(name)))
            field = octetsOf(addressArgument(line.value(QLatin1String(name))));
    };
    address("ip", f.ip);
    address("mask", f.mask);
    address("router", f.gateway);
    address("dispatcher", f.dispatcher);
    address("reserve1", f.reserve1);
    address("reserve2", f.reserve2);
    for (const char* name : {"dispatcher", "ident", "reserve1", "reserve2"})
        if (line.isSet(QLatin1String(name)))
            given.consoleOnly.append(QStringLiteral("--") + QLatin1String(name));
    if (line.isSet(QStringLiteral("mac")))
        f.mac = macArgument(line.value(QStringLiteral("mac")));
    if (line.isSet(QStringLiteral("ident")))
        f.ident =
            quint16(numberArgument(QStringLiteral("ident"), line.value(QStringLiteral("ident")), 0, 65535));
    if (line.isSet(QStringLiteral("branch")))
        f.branch =
            quint8(numberArgument(QStringLiteral("branch"), line.value(QStringLiteral("branch")), 0, 255));
    const bool dhcp = line.isSet(QStringLiteral("dhcp")), noDhcp = line.isSet(QStringLiteral("no-dhcp"));
    const bool dynamic = line.isSet(QStringLiteral("console-dynamic"));
    const bool fixed = line.isSet(QStringLiteral("console-static"));
    if ((dhcp && noDhcp) || (dynamic && fixed) || (dhcp && fixed))
        throw UsageError{
            QStringLiteral("contradictory address types (a DHCP board needs a dynamic console)")};
    // The window's coupling: a DHCP board forces a dynamic console, a static console a static board.
    if (dhcp || dynamic)
        f.consoleDynamic = true;
    if (dhcp)
        f.boardDhcp = true;
    if (noDhcp || fixed)
        f.boardDhcp = false;
    if (fixed)
        f.consoleDynamic = false;
    return given;
}

// What the window would never write: options the frame would drop, or DHCP with a static console.
QString refusal(const WriteFields& f, const FieldOptions& given)
{
    if (!f.consoleDynamic && !given.consoleOnly.isEmpty())
        return QStringLiteral("%1 travel only with a dynamic console, and this board's is static: add "
                              "--console-dynamic, or leave them out")
            .arg(given.consoleOnly.join(QLatin1String(", ")));
    if (!addressTypesAgree(f))
        return QStringLiteral("the configuration pairs DHCP with a static console, which the window never "
                              "writes: add --console-dynamic or --no-dhcp");
    return {};
}

// What --force lets through: an address at which the board would be out of reach, and
// values that the frame cannot carry (they would be lost, not restored).
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
} // namespace

int runWrite(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("write"),
        QStringLiteral("Writes a configuration to a board with the window's write frame, then reads its "
                       "permanent memory back and compares field by field. The values are the "
                       "options given, on top of a backup file (--from) or else of what the board's "
                       "permanent memory holds now (a whole configuration reply with a version: "
                       "anything less is no base for a write)."),
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS"),
                                      QStringLiteral("The board the frame goes to."));
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
    line.parse(args);
    const bool force = line.isSet(QStringLiteral("force"));
    if (line.positional().size() != 1)
        throw UsageError{QStringLiteral("write takes one ADDRESS")};
    const quint32 board = boardArgument(line.positional().first());
    const CommonOptions options = line.common();
    const bool verify = !line.isSet(QStringLiteral("no-verify"));
    std::optional<BoardConfig> base;
    if (line.isSet(QStringLiteral("from")))
        base = readBackup(line.value(QStringLiteral("from")));
    WriteFields fields = base ? base->fields : WriteFields{};
    const FieldOptions given = applyOptions(line, fields); // every value is checked before the board is asked
    if (base) {
        if (const QString why = refusal(fields, given); !why.isEmpty())
            throw UsageError{why};
        if (const QString why = unlessForced({board, fields, std::nullopt, Memory::Permanent});
            !force && !why.isEmpty())
            throw UsageError{why};
    }
    if (options.dryRun) {
        if (!base)
            throw UsageError{QStringLiteral("--dry-run needs --from: without it the board's permanent memory "
                                            "would be read for a base")};
        for (quint16 port : options.commandPorts)
            printFrame(board, port, buildWriteFrame(fields), options.json);
        for (quint16 port : verify ? options.commandPorts : QList<quint16>{})
            printFrame(board, port, buildReadFrame('d'), options.json);
        return Success;
    }

    Session session(options);
    if (!base) {
        const BoardRead read = readBoard(session, board, Memory::Permanent, Completeness::Complete);
        if (!read.config) {
            err() << "talvikctl: " << dottedText(board) << ": its permanent memory gave no base for a write ("
                  << read.error << "); nothing was written (--from FILE gives every field)" << Qt::endl;
            return NoReply;
        }
        fields = read.config->fields;
        applyOptions(line, fields);
        QString why = refusal(fields, given);
        if (why.isEmpty() && !force)
            why = unlessForced({board, fields, std::nullopt, Memory::Permanent});
        if (!why.isEmpty()) {
            err() << "talvikctl: " << dottedText(board) << ": " << why << "; nothing was written" << Qt::endl;
            return Usage;
        }
    }
    const Result result =
        writeAndVerify(session, BoardConfig{board, fields, std::nullopt, Memory::Permanent}, verify);
    report(board, result, options.json);
    return exitOf(result.outcome);
}

int runApply(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("apply"),
        QStringLiteral("Writes each backup file (survey --save) to the board it names, into its "
                       "permanent memory, each verified as write does. A folder stands for its *.conf "
                       "files. Every file is read and checked before anything is sent."),
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("DIR|FILE..."),
                                      QStringLiteral("Backup files or folders."));
    line.parser.addOptions({
        {QStringLiteral("no-verify"), QStringLiteral("Do not read the permanent memory back.")},
        {QStringLiteral("force"),
         QStringLiteral("Also apply backups of the working configuration (or of unknown memory), with an "
                        "IP address or mask at which the board would be out of reach, or with values a "
                        "static console's frame cannot carry.")},
    });
    line.parse(args);
    QStringList files;
    for (const QString& path : line.positional()) {
        if (QFileInfo(path).isDir()) {
            for (const QString& name :
                 QDir(path).entryList({QStringLiteral("*.conf")}, QDir::Files, QDir::Name))
                files.append(QDir(path).filePath(name));
        }
        else {
            files.append(path);
        }
    }
    if (files.isEmpty())
        throw UsageError{QStringLiteral("no backup file given")};
    const bool force = line.isSet(QStringLiteral("force"));
    QList<Backup> backups;
    QList<BoardConfig> configs;
    for (const QString& file : files) { // every file is read before anything is sent
        configs.append(readBackup(file));
        backups.append({file, configs.last()});
        if (configs.last().memory != Memory::Permanent && !force)
            throw UsageError{QStringLiteral("%1 holds the %2 configuration, and apply writes the permanent "
                                            "memory, which the board boots with: use a backup of the "
                                            "permanent memory (survey --save), or --force")
                                 .arg(file, configs.last().memory == Memory::Working
                                                ? QStringLiteral("working")
                                                : QStringLiteral("board's (of unknown memory)"))};
        if (const QString why = unlessForced(configs.last()); !force && !why.isEmpty())
            throw UsageError{file + QStringLiteral(": ") + why};
    }
    if (const auto twice = sameBoardTwice(backups))
        throw UsageError{QStringLiteral("%1 and %2 are both backups of %3: give one")
                             .arg(twice->first, twice->second, dottedText(twice->board))};
    const CommonOptions options = line.common();
    const bool verify = !line.isSet(QStringLiteral("no-verify"));
    if (options.dryRun) {
        for (const BoardConfig& config : configs) {
            for (quint16 port : options.commandPorts)
                printFrame(config.address, port, buildWriteFrame(config.fields), options.json);
            for (quint16 port : verify ? options.commandPorts : QList<quint16>{})
                printFrame(config.address, port, buildReadFrame('d'), options.json);
        }
        return Success;
    }

    Session session(options);
    Progress progress(QStringLiteral("apply"), int(configs.size()));
    int succeeded = 0, failed = 0, worst = NoReply;
    for (const BoardConfig& config : configs) {
        const Result result = writeAndVerify(session, config, verify);
        progress.step();
        report(config.address, result, options.json);
        const int code = exitOf(result.outcome);
        (code == Success ? succeeded : failed)++;
        if (code == Mismatch)
            worst = Mismatch;
    }
    return combinedExit(succeeded, failed, worst);
}

} // namespace talvik::ctl
