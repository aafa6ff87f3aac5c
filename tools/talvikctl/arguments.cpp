#include "arguments.h"

#include "net/adapters.h"

#include "board/untrusted_text.h"
#include "wire/board_address.h"
#include "wire/input_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace talvik::ctl {

namespace {
const QString JsonOption = QStringLiteral("json");
const QString CsvOption = QStringLiteral("csv");
const QString QuietOption = QStringLiteral("quiet");
const QString DryRunOption = QStringLiteral("dry-run");
const QString TimeoutOption = QStringLiteral("timeout");
const QString RetriesOption = QStringLiteral("retries");
const QString LocalPortOption = QStringLiteral("local-port");
const QString PortsOption = QStringLiteral("ports");
const QString WordPortOption = QStringLiteral("word-port");
const QString HelpOption = QStringLiteral("help");
const QString InterfaceOption = QStringLiteral("interface");

QString whyNoBoard(quint32 address, int prefix)
{
    const QString text = dottedText(address);
    switch (addressUse(address, prefix)) {
    case AddressUse::Board:
        return {};
    case AddressUse::Zero:
        return QStringLiteral("0.0.0.0 is no board's address");
    case AddressUse::Broadcast:
        return QStringLiteral("255.255.255.255 is the broadcast address, no board's (survey --broadcast "
                              "reads every board of a network)");
    case AddressUse::NetworkOrBroadcast:
        return QStringLiteral("%1 is the network or broadcast address of %2, no board's (survey --broadcast "
                              "reads every board of a network)")
            .arg(text, networkText(address, prefix));
    case AddressUse::Multicast:
        break;
    }
    return QStringLiteral("%1 is a multicast or reserved address, no board's").arg(text);
}

QByteArray readHosts(const QString& hostsFile)
{
    const QString kind = QStringLiteral("a hosts file");
    QString why;
    std::optional<QByteArray> text;
    if (hostsFile == QLatin1String("-")) {
        QFile in;
        if (in.open(stdin, QIODevice::ReadOnly))
            text = readBounded(in, QStringLiteral("standard input"), MostHostsBytes, kind, &why);
        else
            why = QStringLiteral("cannot read standard input: %1").arg(in.errorString());
    }
    else {
        text = readInputFile(hostsFile, MostHostsBytes, kind, &why);
    }
    if (!text)
        throw UsageError{why};
    return *text;
}
} // namespace

CommandLine::CommandLine(const QString& command, const QString& description, int groups)
    : command_(command), groups_(groups)
{
    parser.setApplicationDescription(description);
    // Not addHelpOption(): that adds --help-all, which lists Qt's own options.
    parser.addOption({{QStringLiteral("h"), HelpOption}, QStringLiteral("Show this help.")});
    parser.addPositionalArgument(command, QStringLiteral("The command."), command);
    if (groups & Output)
        parser.addOptions({
            {JsonOption,
             QStringLiteral("Print JSON Lines (one object per board or datagram) instead of a table.")},
            {{QStringLiteral("q"), QuietOption}, QStringLiteral("Print nothing on success.")},
        });
    if (groups & Csv)
        parser.addOption({CsvOption, QStringLiteral("Print comma-separated values.")});
    if (groups & DryRun)
        parser.addOption({DryRunOption, QStringLiteral("Print each frame that would be sent (address, port, "
                                                       "bytes in hexadecimal) and send nothing.")});
    if (groups & Requests)
        parser.addOptions({
            {TimeoutOption,
             QStringLiteral(
                 "Wait exactly this long for each try's reply. Without it a try waits as long as "
                 "the board's network has shown it needs (at least 20 ms, doubled on each try) and "
                 "the last try 1000 ms, for any late answer."),
             QStringLiteral("ms"), QStringLiteral("1000")},
            {RetriesOption,
             QStringLiteral("Send a request again this many times without a reply (default 2)."),
             QStringLiteral("n"), QStringLiteral("2")},
        });
    if (groups & Ports)
        parser.addOptions({
            {LocalPortOption,
             QStringLiteral("Send from and listen on this port (default 6767, where boards answer)."),
             QStringLiteral("port"), QStringLiteral("6767")},
            {PortsOption, QStringLiteral("The boards' command ports, in order (default 8026,8024,6767)."),
             QStringLiteral("list"), QStringLiteral("8026,8024,6767")},
            {InterfaceOption,
             QStringLiteral("Send from this adapter (its name or address; talvikctl adapters lists them): "
                            "every frame leaves from its address."),
             QStringLiteral("adapter")},
        });
    if (groups & WordPort)
        parser.addOption({WordPortOption,
                          QStringLiteral("The port of the reboot's word frames (default 8026)."),
                          QStringLiteral("port"), QStringLiteral("8026")});
}

QString CommandLine::helpText() const
{
    QString text = parser.helpText();
    const QString program = QCoreApplication::arguments().value(0);
    const QString usage = QStringLiteral("Usage: ");
    if (text.startsWith(usage + program))
        text.replace(usage.size(), program.size(), QStringLiteral("talvikctl"));
    return text;
}

void CommandLine::parse(const QStringList& args)
{
    if (!parser.parse(args))
        throw UsageError{parser.errorText()};
    if (parser.isSet(HelpOption)) {
        std::fputs(helpText().toLocal8Bit().constData(), stdout);
        std::exit(0);
    }
    if ((groups_ & Csv) && (groups_ & Output) && parser.isSet(JsonOption) && parser.isSet(CsvOption))
        throw UsageError{QStringLiteral("--json and --csv contradict each other: give one")};
    if ((groups_ & Output) && parser.isSet(QuietOption) &&
        (parser.isSet(JsonOption) || ((groups_ & Csv) && parser.isSet(CsvOption))))
        throw UsageError{QStringLiteral("--quiet prints nothing: it goes with neither --json nor --csv")};
}

QStringList CommandLine::replayOptions(const QStringList& fileOptions) const
{
    static const QStringList output{JsonOption,          CsvOption,  QuietOption,
                                    QStringLiteral("q"), HelpOption, QStringLiteral("h")};
    QStringList out, done;
    for (const QString& name : parser.optionNames()) {
        if (output.contains(name) || done.contains(name))
            continue;
        done.append(name);
        const QString dashed = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        const QStringList values = parser.values(name);
        if (values.isEmpty())
            out.append(dashed);
        for (const QString& value : values) // a file stays found from another folder
            out.append(dashed + u'=' +
                       (fileOptions.contains(name) && value != QLatin1String("-")
                            ? QFileInfo(value).absoluteFilePath()
                            : value));
    }
    return out;
}

CommonOptions CommandLine::common() const
{
    CommonOptions o;
    if (groups_ & Output) {
        o.json = parser.isSet(JsonOption);
        o.quiet = parser.isSet(QuietOption);
    }
    o.csv = (groups_ & Csv) && parser.isSet(CsvOption);
    o.dryRun = (groups_ & DryRun) && parser.isSet(DryRunOption);
    if (groups_ & Requests) {
        o.timing.timeoutMs = numberArgument(TimeoutOption, parser.value(TimeoutOption), 1, 600000);
        o.timing.fixed = parser.isSet(TimeoutOption); // given: every try waits it
        o.timing.retries = numberArgument(RetriesOption, parser.value(RetriesOption), 0, 100);
    }
    if (groups_ & Ports) {
        o.localPort = quint16(numberArgument(LocalPortOption, parser.value(LocalPortOption), 0, 65535));
        o.commandPorts.clear();
        for (const QString& port : parser.value(PortsOption).split(QLatin1Char(',')))
            o.commandPorts.append(quint16(numberArgument(PortsOption, port, 1, 65535)));
    }
    if (groups_ & WordPort)
        o.wordPort = quint16(numberArgument(WordPortOption, parser.value(WordPortOption), 1, 65535));
    if ((groups_ & Ports) && parser.isSet(InterfaceOption))
        o.adapter = adapterArgument(parser.value(InterfaceOption));
    return o;
}

bool isGlobalOption(const QString& argument, bool* takesValue)
{
    const QString name = argument.section(QLatin1Char('='), 0, 0);
    static const QStringList flags{QStringLiteral("--json"), QStringLiteral("--csv"),
                                   QStringLiteral("--quiet"), QStringLiteral("-q"),
                                   QStringLiteral("--dry-run")};
    static const QStringList valued{QStringLiteral("--timeout"), QStringLiteral("--retries"),
                                    QStringLiteral("--local-port"), QStringLiteral("--ports"),
                                    QStringLiteral("--word-port")};
    *takesValue = valued.contains(name) && !argument.contains(QLatin1Char('='));
    return flags.contains(name) || valued.contains(name);
}

quint32 addressArgument(const QString& text)
{
    const auto address = parseDottedDecimal(text);
    if (!address)
        throw UsageError{
            QStringLiteral("'%1' is not an IPv4 address (four decimal numbers 0..255)").arg(text)};
    return *address;
}

Adapter adapterArgument(const QString& nameOrAddress)
{
    const QList<Adapter> here = adapters();
    if (const std::optional<Adapter> found = findAdapter(here, nameOrAddress))
        return *found;
    throw UsageError{
        QStringLiteral("no adapter %1 on this PC; its adapters are: %2")
            .arg(quoted(nameOrAddress, 64), here.isEmpty() ? QStringLiteral("none") : adapterList(here))};
}

BoardAddress boardArgument(const QString& text)
{
    const quint32 address = addressArgument(text);
    const int known = prefixesOf(adapters())(address);
    if (const QString why = whyNoBoard(address, known > 0 ? known : 24); !why.isEmpty())
        throw UsageError{why};
    return BoardAddress(address);
}

QList<BoardAddress> targetsArgument(const QStringList& texts, const QString& hostsFile)
{
    QStringList all = texts;
    QList<int> lineOf; // of each address or range of the hosts file
    if (!hostsFile.isEmpty())
        for (const HostLine& h : hostEntries(readHosts(hostsFile))) {
            all.append(h.text);
            lineOf.append(h.line);
        }
    BoardsProblem problem;
    const auto boards = boardsOf(all, &problem, MostBoards, prefixesOf(adapters()));
    if (!boards) {
        const QString file = hostsFile == QLatin1String("-") ? QStringLiteral("standard input") : hostsFile;
        const QString where =
            problem.index < texts.size()
                ? QString()
                : QStringLiteral("%1:%2: ").arg(file).arg(lineOf.value(problem.index - int(texts.size())));
        switch (problem.kind) {
        case BoardsProblem::NotAnAddress:
            throw UsageError{where + problem.reason};
        case BoardsProblem::NotABoard:
            throw UsageError{where + whyNoBoard(problem.address, problem.prefix)};
        case BoardsProblem::TooMany:
            break;
        }
        throw UsageError{where + QStringLiteral("more than %1 boards").arg(MostBoards)};
    }
    if (boards->isEmpty())
        throw UsageError{QStringLiteral("no board given")};
    return *boards;
}

Mac macArgument(const QString& text)
{
    const auto mac = parseMac(text);
    if (!mac)
        throw UsageError{
            QStringLiteral("'%1' is not a MAC address (six hexadecimal pairs, 00:1E:C0:A8:01:14)").arg(text)};
    return *mac;
}

int numberArgument(const QString& name, const QString& text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < min || value > max)
        throw UsageError{
            QStringLiteral("--%1 must be a number %2..%3, not '%4'").arg(name).arg(min).arg(max).arg(text)};
    return value;
}

} // namespace talvik::ctl
