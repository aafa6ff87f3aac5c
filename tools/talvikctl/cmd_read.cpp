// talvikctl read: one board's configuration, as the window reads it.

#include "arguments.h"
#include "client/configuration_reply.h"
#include "commands.h"
#include "job_report.h"
#include "output.h"
#include "session.h"
#include "sites.h"
#include "wire/board_address.h"

#include <QJsonValue>

namespace talvik::ctl {

void printConfig(const BoardConfig& config, bool json, const QString& site)
{
    if (json) {
        QJsonObject o = toJson(config);
        if (!site.isEmpty())
            o.insert(QStringLiteral("site"), site);
        printJson(o);
        return;
    }
    Table table({{{}, 10}, {}}, false);
    table.row({QStringLiteral("address"), dottedText(config.address)});
    table.row({QStringLiteral("memory"), memoryText(config.memory)});
    for (const auto& [name, text] : fieldTexts(config))
        table.row({name, text});
    table.row({QStringLiteral("version"), config.version.value_or(QStringLiteral("-"))});
    if (!site.isEmpty())
        table.row({QStringLiteral("site"), site});
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
    line.parser.addPositionalArgument(
        QStringLiteral("ADDRESS"), QStringLiteral("The board (or, with --site, every board of the site)."));
    line.parser.addOption({QStringLiteral("permanent"), QStringLiteral("Read the permanent memory.")});
    addSiteOptions(line);
    line.parse(args);
    const bool sites = line.isSet(QStringLiteral("site"));
    if (sites ? !line.positional().isEmpty() : line.positional().size() != 1)
        throw UsageError{QStringLiteral("read takes one ADDRESS, or --site NAME")};
    const QList<BoardAddress> boards =
        sites ? siteBoards(line) : QList<BoardAddress>{boardArgument(line.positional().first())};
    const CommonOptions options = line.common();
    const Memory memory = line.isSet(QStringLiteral("permanent")) ? Memory::Permanent : Memory::Working;
    Session session(options, false, nullptr, PortWaitMs,
                    options.dryRun ? Session::SendsNothing : Session::Listens);
    const SiteIndex index = siteIndex(line);
    int answered = 0, silent = 0;
    runJob(
        session,
        [&] {
            session.jobs().read(boards, ReadSpec{memory, Completeness::Block, false, {}, options.dryRun},
                                options.timing);
        },
        [&](const BoardResult& r) {
            if (r.outcome == Outcome::Planned)
                return printFrames(r, options.json);
            if (!r.config) {
                ++silent;
                err() << "talvikctl: " << dottedText(r.board) << ": " << noAnswerText(r.reason, r.replyBytes)
                      << Qt::endl;
                return;
            }
            ++answered;
            printConfig(*r.config, options.json, index.label(r.board));
        },
        false);
    return combinedExit(answered, silent, NoReply);
}

int combinedExit(int succeeded, int failed, int failureCode)
{
    if (failed == 0)
        return Success;
    return succeeded > 0 ? Partial : failureCode;
}

} // namespace talvik::ctl
