// talvikctl read: one board's configuration, as the window reads it.

#include "board_config.h"
#include "commands.h"
#include "output.h"
#include "protocol/board_address.h"
#include "replies/datagram.h"
#include "session.h"

namespace talvik::ctl {

namespace {
bool isConfiguration(const QByteArray& datagram)
{
    return classify(datagram) == ReplyKind::Configuration;
}
} // namespace

std::optional<BoardConfig> readBoard(Session& session, quint32 board, bool permanent)
{
    const auto reply = session.client().request(board, buildReadFrame(permanent ? 'd' : 'C'), isConfiguration,
                                                session.options().timing);
    if (!reply)
        return std::nullopt;
    return configFromReply(board, reply->datagram);
}

void printConfig(const BoardConfig& config, bool permanent, bool json)
{
    const QString memory = permanent ? QStringLiteral("permanent") : QStringLiteral("working");
    if (json) {
        QJsonObject o = toJson(config);
        o.insert(QStringLiteral("memory"), memory);
        printJson(o);
        return;
    }
    QList<QStringList> rows{{QStringLiteral("address"), dottedText(config.address)},
                            {QStringLiteral("memory"), memory}};
    for (const auto& [name, text] : fieldTexts(config))
        rows.append({name, text});
    rows.append({QStringLiteral("version"), config.version.value_or(QStringLiteral("-"))});
    printTable({}, rows);
}

int runRead(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("read"),
        QStringLiteral("Reads a board's configuration: the working one, or with --permanent the one in "
                       "its permanent memory. Sends the read frame the window sends (\"C\" or \"d\") "
                       "to the board's command ports and waits for its configuration reply."));
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS"), QStringLiteral("The board."));
    line.parser.addOption({QStringLiteral("permanent"), QStringLiteral("Read the permanent memory.")});
    line.parse(args);
    if (line.positional().size() != 1)
        throw UsageError{QStringLiteral("read takes one ADDRESS")};
    const quint32 board = addressArgument(line.positional().first());
    const LinkOptions options = line.linkOptions();
    const bool permanent = line.isSet(QStringLiteral("permanent"));

    Session session(options);
    const auto config = readBoard(session, board, permanent);
    if (!config) {
        err() << "talvikctl: no reply from " << dottedText(board) << Qt::endl;
        return NoReply;
    }
    printConfig(*config, permanent, options.json);
    return Success;
}

int combinedExit(int succeeded, int failed, int failureCode)
{
    if (failed == 0)
        return Success;
    return succeeded > 0 ? Partial : failureCode;
}

} // namespace talvik::ctl
