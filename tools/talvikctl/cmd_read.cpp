// talvikctl read: one board's configuration, as the window reads it.

#include "arguments.h"
#include "client/configuration_reply.h"
#include "commands.h"
#include "job_report.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"

#include <QJsonValue>

namespace talvik::ctl {

void printConfig(const BoardConfig& config, bool json)
{
    if (json) {
        printJson(toJson(config));
        return;
    }
    Table table({{{}, 10}, {}}, false);
    table.row({QStringLiteral("address"), dottedText(config.address)});
    table.row({QStringLiteral("memory"), memoryText(config.memory)});
    for (const auto& [name, text] : fieldTexts(config))
        table.row({name, text});
    table.row({QStringLiteral("version"), config.version.value_or(QStringLiteral("-"))});
}

void printFrame(BoardAddress board, quint16 port, const QByteArray& frame, bool json)
{
    if (json)
        printJson({{QStringLiteral("address"), dottedText(board)},
                   {QStringLiteral("port"), int(port)},
                   {QStringLiteral("frame"), QString::fromLatin1(frame.toHex())}});
    else
        Table({{{}, 16}, {{}, 6}, {}}, false)
            .row({dottedText(board), QString::number(port), QString::fromLatin1(frame.toHex())});
}

int runRead(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("read"),
        QStringLiteral("Reads a board's configuration: the working one, or with --permanent the one in "
                       "its permanent memory. Sends the read frame the window sends (\"C\" or \"d\") "
                       "to the board's command ports and waits for its configuration reply; a reply "
                       "short of the whole configuration is no answer."),
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS"), QStringLiteral("The board."));
    line.parser.addOption({QStringLiteral("permanent"), QStringLiteral("Read the permanent memory.")});
    line.parse(args);
    if (line.positional().size() != 1)
        throw UsageError{QStringLiteral("read takes one ADDRESS")};
    const BoardAddress board = boardArgument(line.positional().first());
    const CommonOptions options = line.common();
    const Memory memory = line.isSet(QStringLiteral("permanent")) ? Memory::Permanent : Memory::Working;
    if (options.dryRun) {
        for (quint16 port : options.commandPorts)
            printFrame(board, port, buildReadFrame(memory), options.json);
        return Success;
    }

    Session session(options);
    BoardResult read;
    runJob(
        session,
        [&] {
            session.jobs().read({board}, ReadSpec{memory, Completeness::Block, false, {}}, options.timing);
        },
        [&](const BoardResult& r) { read = r; }, false);
    if (!read.config) {
        err() << "talvikctl: " << dottedText(board) << ": " << noAnswerText(read.reason, read.replyBytes)
              << Qt::endl;
        return NoReply;
    }
    printConfig(*read.config, options.json);
    return Success;
}

int combinedExit(int succeeded, int failed, int failureCode)
{
    if (failed == 0)
        return Success;
    return succeeded > 0 ? Partial : failureCode;
}

} // namespace talvik::ctl
