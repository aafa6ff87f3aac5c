// talvikctl survey: every board of a network read at once, each row printed (and each
// backup written) as soon as its board is done.

#include "arguments.h"
#include "client/configuration_reply.h"
#include "commands.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"

#include <QDir>
#include <QEventLoop>

namespace talvik::ctl {

namespace {
// Widths that fit the widest value each field can have.
QList<Table::Column> columns()
{
    const QList<int> widths{16, 16, 16, 16, 18, 5, 8, 16, 6, 16, 16, 7, 31, 0};
    QList<Table::Column> out;
    const QStringList header = surveyHeader();
    for (int i = 0; i < header.size(); ++i)
        out.append({header[i], widths.value(i, 8)});
    return out;
}

// One survey's output, a line per board as it is done, and what it comes to.
class Report {
  public:
    Report(const CommonOptions& options, int total, const Link& link)
        : options_(options), table_(columns()), progress_(QStringLiteral("survey"), total), link_(link),
          droppedBefore_(link.dropped())
    {
        if (options_.csv)
            printCsv(surveyHeader());
    }

    // A board that answered; `problem` when its backup could not be made.
    void answered(const BoardConfig& c, const QString& problem = {})
    {
        ++answered_;
        if (!problem.isEmpty())
            ++backupsMissing_;
        progress_.step();
        if (options_.json) {
            QJsonObject o = toJson(c);
            if (!problem.isEmpty())
                o.insert(QStringLiteral("error"), problem);
            printJson(o);
            return;
        }
        const QStringList row = surveyCells(c, problem);
        options_.csv ? printCsv(row) : table_.row(row);
    }

    void silent(quint32 board, const QString& error)
    {
        ++silent_;
        progress_.step();
        if (options_.json)
            printJson({{QStringLiteral("address"), dottedText(board)}, {QStringLiteral("error"), error}});
        else if (options_.csv)
            printCsv(silentCells(board, error));
        else
            table_.row({dottedText(board), error});
    }

    int finish()
    {
        progress_.clear();
        err() << answered_ << " of " << answered_ + silent_ << " boards answered";
        if (const quint64 dropped = link_.dropped() - droppedBefore_; dropped > 0)
            err() << "; " << dropped
                  << " datagrams were lost to overload on this PC (their boards were asked again)";
        if (backupsMissing_ > 0)
            err() << "; " << backupsMissing_ << " backups could not be made";
        err() << Qt::endl;
        if (backupsMissing_ > 0)
            return SaveFailed;
        return combinedExit(answered_, silent_, NoReply);
    }

  private:
    CommonOptions options_;
    Table table_;
    Progress progress_;
    const Link& link_;
    quint64 droppedBefore_;
    int answered_ = 0, silent_ = 0, backupsMissing_ = 0;
};

// With --save: the board's permanent memory read (after the answers to the last read
// have come in, so none is taken for this one) and saved; then its row.
void backUp(Session& session, Report& report, const QString& folder, const BoardConfig& shown,
            const std::function<void()>& done)
{
    auto shortOf = std::make_shared<ShortReplies>();
    session.client().requestMany(
        {shown.address}, [](quint32) { return buildReadFrame('d'); },
        acceptConfiguration(Completeness::Complete, shortOf.get()), session.options().timing,
        [&report, folder, shown, shortOf, done](quint32 board, const std::optional<BoardReply>& reply) {
            const QString problem =
                reply ? saveBackup(folder, configFromReply(board, reply->datagram, Memory::Permanent),
                                   reply->datagram)
                      : QStringLiteral("no backup: the permanent memory gave %1")
                            .arg(whyNoAnswer(*shortOf, board));
            report.answered(shown, problem);
            done();
        },
        {});
}

int surveyTargets(const CommonOptions& options, const QList<quint32>& boards, Memory memory,
                  const QString& folder)
{
    Session session(options);
    Report report(options, int(boards.size()), session.link());
    QEventLoop loop;
    qsizetype outstanding = boards.size();
    const auto boardDone = [&] {
        if (--outstanding == 0)
            loop.quit();
    };
    ShortReplies shortOf;
    const QByteArray frame = buildReadFrame(memory == Memory::Permanent ? 'd' : 'C');
    session.client().requestMany(
        boards, [&](quint32) { return frame; }, acceptConfiguration(Completeness::Block, &shortOf),
        options.timing,
        [&](quint32 board, const std::optional<BoardReply>& reply) {
            if (!reply) {
                report.silent(board, whyNoAnswer(shortOf, board));
                boardDone();
                return;
            }
            const BoardConfig shown = configFromReply(board, reply->datagram, memory);
            if (folder.isEmpty()) {
                report.answered(shown);
                boardDone();
            }
            else if (memory == Memory::Permanent) {
                report.answered(shown, saveBackup(folder, shown, reply->datagram));
                boardDone();
            }
            else {
                backUp(session, report, folder, shown, boardDone);
            }
        },
        {});
    if (outstanding > 0)
        loop.exec();
    return report.finish();
}

// One read to a broadcast address; every board that answers is listed.
int surveyBroadcast(const CommonOptions& options, quint32 broadcast, Memory memory, const QString& folder)
{
    Session session(options, true);
    QList<BoardConfig> found;
    QSet<quint32> seen;
    Report report(options, 0, session.link());
    QObject::connect(&session.client(), &BoardClient::datagramArrived, &session.client(),
                     [&](const QByteArray& d, quint32 sender, quint16) {
                         if (classify(d) != ReplyKind::Configuration ||
                             completeness(d) == Completeness::Partial ||
                             addressUse(sender) != AddressUse::Board || seen.contains(sender))
                             return;
                         seen.insert(sender);
                         found.append(configFromReply(sender, d, memory));
                         if (folder.isEmpty())
                             report.answered(found.last());
                     });
    const QByteArray frame = buildReadFrame(memory == Memory::Permanent ? 'd' : 'C');
    for (int round = 0; round <= options.timing.retries; ++round) {
        session.client().send(broadcast, frame);
        BoardClient::pause(options.timing.timeoutMs);
    }
    QObject::disconnect(&session.client(), &BoardClient::datagramArrived, nullptr, nullptr);
    if (!folder.isEmpty() && !found.isEmpty()) { // every answer to the broadcast is in: no mix-up now
        QEventLoop loop;
        qsizetype outstanding = found.size();
        for (const BoardConfig& shown : found)
            backUp(session, report, folder, shown, [&] {
                if (--outstanding == 0)
                    loop.quit();
            });
        loop.exec();
    }
    return report.finish();
}
} // namespace

int runSurvey(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("survey"),
        QStringLiteral("Reads every board given, all at once at the network's pace, asking again only "
                       "those that stay silent, and prints one row per board as soon as it is done, "
                       "those that did not answer with their error. With "
                       "--broadcast, one read goes to a network's broadcast address instead and every "
                       "board that answers is listed: the only command that sends to a broadcast "
                       "address."),
        Output | Csv | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("RANGE|ADDRESS..."), QStringLiteral("The boards."));
    line.parser.addOptions({
        {QStringLiteral("hosts"),
         QStringLiteral("Also the boards of a file, one address or range per line, '#' comments ('-': "
                        "standard input)."),
         QStringLiteral("file")},
        {QStringLiteral("broadcast"),
         QStringLiteral("Read every board of a network through its broadcast address (192.168.1.255)."),
         QStringLiteral("address")},
        {QStringLiteral("permanent"),
         QStringLiteral("Show the permanent memory instead of the working configuration.")},
        {QStringLiteral("save"),
         QStringLiteral("Write a backup of each board's permanent memory, which it boots with, into this "
                        "folder (ADDRESS.conf; one more read per board)."),
         QStringLiteral("dir")},
    });
    // Requests are paced now, not a number at a time: the old option is taken and let go.
    QCommandLineOption parallel(QStringLiteral("parallel"), {}, QStringLiteral("n"));
    parallel.setFlags(QCommandLineOption::HiddenFromHelp);
    line.parser.addOption(parallel);
    line.parse(args);
    const CommonOptions options = line.common();
    if (line.isSet(QStringLiteral("parallel")))
        err() << "talvikctl: --parallel is no longer needed and is ignored: every board is asked at once, "
                 "at the network's pace"
              << Qt::endl;
    const Memory memory = line.isSet(QStringLiteral("permanent")) ? Memory::Permanent : Memory::Working;
    const char letter = memory == Memory::Permanent ? 'd' : 'C';
    const QString folder = line.value(QStringLiteral("save"));

    std::optional<quint32> broadcast;
    QList<quint32> boards;
    if (line.isSet(QStringLiteral("broadcast"))) {
        if (!line.positional().isEmpty() || line.isSet(QStringLiteral("hosts")))
            throw UsageError{QStringLiteral("--broadcast reads a whole network: it takes no other address")};
        broadcast = addressArgument(line.value(QStringLiteral("broadcast")));
        if ((*broadcast & 0xFF) != 0xFF || addressUse(*broadcast) == AddressUse::Multicast)
            throw UsageError{QStringLiteral("%1 is no broadcast address (one that ends in .255)")
                                 .arg(dottedText(*broadcast))};
    }
    else {
        boards = targetsArgument(line.positional(), line.value(QStringLiteral("hosts")));
    }
    if (!folder.isEmpty() && !options.dryRun && !QDir().mkpath(folder))
        throw UsageError{QStringLiteral("cannot create the folder %1").arg(folder)};
    if (options.dryRun) {
        for (quint32 board : broadcast ? QList<quint32>{*broadcast} : boards)
            for (quint16 port : options.commandPorts)
                printFrame(board, port, buildReadFrame(letter), options.json);
        return Success;
    }
    return broadcast ? surveyBroadcast(options, *broadcast, memory, folder)
                     : surveyTargets(options, boards, memory, folder);
}

} // namespace talvik::ctl
