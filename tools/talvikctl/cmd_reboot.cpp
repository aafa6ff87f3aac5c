// talvikctl reboot: the window's reboot sequence, one board after the other.

#include "arguments.h"
#include "client/configuration_reply.h"
#include "commands.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"

#include <QElapsedTimer>
#include <QJsonValue>

namespace talvik::ctl {

namespace {
constexpr int WordPauseMs = 100; // the window's pause after each word frame
const char* const Words[] = {"msi", "vsi", "msi", "vsi"};

} // namespace

Rebooted rebootOne(Session& session, quint32 board, bool wait, int waitSeconds, std::optional<quint32> waitAt)
{
    BoardClient& client = session.client();
    for (const char* word : Words) {
        client.sendWord(board, QByteArray(word));
        BoardClient::pause(WordPauseMs);
    }
    QElapsedTimer since;
    since.start();
    // A reboot frame is never sent twice: a board that took the first one is already restarting.
    const Timing once{session.options().timing.timeoutMs, 0};
    Rebooted result;
    result.acknowledged =
        client
            .request(
                board, rebootFrame(),
                [](quint32, const QByteArray& d) { return classify(d) == ReplyKind::RebootAck; }, once)
            .has_value();
    if (!wait)
        return result;
    const Timing poll{1000, qMax(0, waitSeconds - 1)}; // the window's follow-up reads: one a second
    if (client.request(waitAt.value_or(board), buildReadFrame('C'),
                       acceptConfiguration(Completeness::Block, nullptr), poll))
        result.upAfterSeconds = double(since.elapsed()) / 1000.0;
    return result;
}

int runReboot(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("reboot"),
        QStringLiteral("Reboots boards one after the other with the window's sequence: the word frames "
                       "\"msi\" and \"vsi\" twice, 100 ms apart, then the reboot frame; and waits for "
                       "each board's acknowledgement. Nothing is sent to any other address: a network, "
                       "broadcast or zero address is refused, and a range stays inside one /24."),
        Output | Requests | Ports | WordPort | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS|RANGE..."), QStringLiteral("The boards."));
    line.parser.addOptions({
        {QStringLiteral("wait"),
         QStringLiteral("Then read the working configuration each second until the board "
                        "answers again.")},
        {QStringLiteral("wait-seconds"), QStringLiteral("How long --wait waits for each board (default 30)."),
         QStringLiteral("s"), QStringLiteral("30")},
    });
    line.parse(args);
    const QList<quint32> boards = targetsArgument(line.positional());
    const bool wait = line.isSet(QStringLiteral("wait"));
    const int waitSeconds =
        numberArgument(QStringLiteral("wait-seconds"), line.value(QStringLiteral("wait-seconds")), 1, 3600);
    const CommonOptions options = line.common();
    if (options.dryRun) {
        for (quint32 board : boards) {
            for (const char* word : Words)
                printFrame(board, options.wordPort, padDigits(word), options.json);
            for (quint16 port : options.commandPorts)
                printFrame(board, port, rebootFrame(), options.json);
        }
        return Success;
    }

    Session session(options);
    Progress progress(QStringLiteral("reboot"), int(boards.size()));
    Table table({{QStringLiteral("ADDRESS"), 16},
                 {QStringLiteral("ACKNOWLEDGED"), 13},
                 {QStringLiteral("UP AFTER (S)"), 0}});
    int succeeded = 0, failed = 0;
    for (quint32 board : boards) {
        const Rebooted r = rebootOne(session, board, wait, waitSeconds);
        progress.step();
        const bool ok = r.acknowledged && (!wait || r.upAfterSeconds);
        (ok ? succeeded : failed)++;
        if (options.json)
            printJson({{QStringLiteral("address"), dottedText(board)},
                       {QStringLiteral("acknowledged"), r.acknowledged},
                       {QStringLiteral("up_after_s"),
                        r.upAfterSeconds ? QJsonValue(*r.upAfterSeconds) : QJsonValue()},
                       {QStringLiteral("ok"), ok}});
        else
            table.row({dottedText(board), r.acknowledged ? QStringLiteral("yes") : QStringLiteral("no"),
                       r.upAfterSeconds ? QString::number(*r.upAfterSeconds, 'f', 1) : QStringLiteral("-")});
    }
    return combinedExit(succeeded, failed, NoReply);
}

} // namespace talvik::ctl
