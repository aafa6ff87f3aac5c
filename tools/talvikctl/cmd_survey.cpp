// talvikctl survey: every board of a network read at once.

#include "board_config.h"
#include "commands.h"
#include "output.h"
#include "protocol/board_address.h"
#include "replies/datagram.h"
#include "session.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <algorithm>

namespace talvik::ctl {

namespace {
QStringList header()
{
    QStringList h{QStringLiteral("address")};
    for (const auto& field : fieldTexts(BoardConfig{}))
        h.append(field.first);
    h.append(QStringLiteral("version"));
    return h;
}

QStringList row(const BoardConfig& c)
{
    QStringList r{dottedText(c.address)};
    for (const auto& field : fieldTexts(c))
        r.append(field.second);
    r.append(c.version.value_or(QString()));
    return r;
}

void save(const QString& folder, const BoardConfig& config)
{
    QFile file(QDir(folder).filePath(dottedText(config.address) + QStringLiteral(".conf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(backupText(config)) < 0)
        err() << "talvikctl: cannot write " << file.fileName() << ": " << file.errorString() << Qt::endl;
}
} // namespace

int runSurvey(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("survey"),
        QStringLiteral("Reads every board given, many at once with retries, and prints one row per "
                       "board that answered; those that did not are summed up on stderr."));
    line.parser.addPositionalArgument(QStringLiteral("RANGE|ADDRESS..."), QStringLiteral("The boards."));
    line.parser.addOptions({
        {QStringLiteral("hosts"), QStringLiteral("Also the boards of a file, one address or range per line."),
         QStringLiteral("file")},
        {QStringLiteral("permanent"),
         QStringLiteral("Read the permanent memory instead of the working configuration.")},
        {QStringLiteral("save"),
         QStringLiteral("Write a backup file per board into this folder (ADDRESS.conf)."),
         QStringLiteral("dir")},
        {QStringLiteral("csv"), QStringLiteral("Print comma-separated values.")},
        {QStringLiteral("parallel"), QStringLiteral("Requests in flight at once (default 32)."),
         QStringLiteral("n"), QStringLiteral("32")},
    });
    line.parse(args);
    const QList<quint32> boards = targetsArgument(line.positional(), line.value(QStringLiteral("hosts")));
    const int parallel =
        numberArgument(QStringLiteral("parallel"), line.value(QStringLiteral("parallel")), 1, 1024);
    const bool permanent = line.isSet(QStringLiteral("permanent"));
    const QString folder = line.value(QStringLiteral("save"));
    if (!folder.isEmpty() && !QDir().mkpath(folder))
        throw UsageError{QStringLiteral("cannot create the folder %1").arg(folder)};
    const LinkOptions options = line.linkOptions();

    Session session(options);
    Progress progress(QStringLiteral("survey"), int(boards.size()));
    QList<BoardConfig> answered;
    QList<quint32> silent;
    QEventLoop loop;
    const QByteArray frame = buildReadFrame(permanent ? 'd' : 'C');
    session.client().requestMany(
        boards, [&](quint32) { return frame; },
        [](const QByteArray& d) { return classify(d) == ReplyKind::Configuration; }, options.timing, parallel,
        [&](quint32 board, const std::optional<BoardReply>& reply) {
            progress.step();
            if (reply)
                answered.append(configFromReply(board, reply->datagram));
            else
                silent.append(board);
        },
        [&] { loop.quit(); });
    if (answered.size() + silent.size() < boards.size())
        loop.exec();

    std::sort(answered.begin(), answered.end(),
              [](const auto& a, const auto& b) { return a.address < b.address; });
    std::sort(silent.begin(), silent.end());
    QList<QStringList> rows;
    for (const BoardConfig& c : answered) {
        if (!folder.isEmpty())
            save(folder, c);
        if (options.json)
            printJson(toJson(c));
        rows.append(row(c));
    }
    if (options.json)
        for (quint32 board : silent)
            printJson({{QStringLiteral("address"), dottedText(board)},
                       {QStringLiteral("error"), QStringLiteral("no reply")}});
    else if (line.isSet(QStringLiteral("csv")))
        printCsv(header(), rows);
    else
        printTable(header(), rows);

    err() << answered.size() << " of " << boards.size() << " boards answered";
    if (!silent.isEmpty()) {
        QStringList addresses;
        for (quint32 board : silent)
            addresses.append(dottedText(board));
        err() << "; no reply from " << addresses.join(QLatin1String(", "));
    }
    err() << Qt::endl;
    return combinedExit(int(answered.size()), int(silent.size()), NoReply);
}

} // namespace talvik::ctl
