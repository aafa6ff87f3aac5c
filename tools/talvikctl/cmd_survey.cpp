// talvikctl survey: every board of a network read at once, each row printed (and each
// backup written) as soon as its board is done.

#include "arguments.h"
#include "board/backup_file.h"
#include "client/configuration_reply.h"
#include "commands.h"
#include "job_report.h"
#include "net/adapters.h"
#include "output.h"
#include "session.h"
#include "sites.h"
#include "wire/board_address.h"

#include <QDir>

namespace talvik::ctl {

namespace {
// Widths that fit the widest value each field can have.
QList<Table::Column> columns()
{
    const QList<int> widths{16, 16, 16, 16, 18, 5, 8, 16, 6, 16, 16, 7, 31, 31, 0};
    QList<Table::Column> out;
    const QStringList header = surveyHeader();
    for (int i = 0; i < header.size(); ++i)
        out.append({header[i], widths.value(i, 8)});
    return out;
}

// One survey's output, a line per board as it is done, and what it comes to.
class Report {
  public:
    Report(const CommonOptions& options, int total, const Link& link, const SiteIndex& sites)
        : options_(options), table_(columns()), progress_(QStringLiteral("survey"), total), link_(link),
          droppedBefore_(link.dropped()), sites_(sites)
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
        const QString site = sites_.label(c.address);
        if (options_.json) {
            QJsonObject o = toJson(c);
            if (!problem.isEmpty())
                o.insert(QStringLiteral("error"), problem);
            if (!site.isEmpty())
                o.insert(QStringLiteral("site"), site);
            // The adapter whose network the board is on: where its answer came.
            if (const std::optional<Adapter> a = adapterReaching(adapters_, c.address.ipv4()))
                o.insert(QStringLiteral("adapter"), a->name);
            printJson(o);
            return;
        }
        const QStringList row = surveyCells(c, problem, site);
        options_.csv ? printCsv(row) : table_.row(row);
    }

    void silent(BoardAddress board, const QString& error)
    {
        ++silent_;
        progress_.step();
        const QString site = sites_.label(board);
        if (options_.json) {
            QJsonObject o{{QStringLiteral("address"), dottedText(board)}, {QStringLiteral("error"), error}};
            if (!site.isEmpty())
                o.insert(QStringLiteral("site"), site);
            printJson(o);
        }
        else if (options_.csv) {
            printCsv(silentCells(board, error, site));
        }
        else {
            table_.row(site.isEmpty() ? QStringList{dottedText(board), error}
                                      : QStringList{dottedText(board), error, site});
        }
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
    SiteIndex sites_;
    QList<Adapter> adapters_ = adapters();
    int answered_ = 0, silent_ = 0, backupsMissing_ = 0;
};

// Each board's row as it is done; with --save (a folder) its backup written first.
void reportBoard(Report& report, const BoardResult& r, Memory memory, const QString& folder)
{
    if (!r.config)
        return report.silent(r.board, noAnswerText(r.reason, r.replyBytes));
    if (folder.isEmpty())
        return report.answered(*r.config);
    if (memory == Memory::Permanent)
        return report.answered(*r.config, saveBackup(folder, *r.config, r.reply));
    report.answered(*r.config, r.permanent ? saveBackup(folder, *r.permanent, r.permanentReply)
                                           : QStringLiteral("no backup: the permanent memory gave %1")
                                                 .arg(noAnswerText(r.permanentReason, r.replyBytes)));
}

// The boards given, or every board that answers at a broadcast address: each row printed
// (and with --save its backup written) as soon as its board is done.
int surveyBoards(const CommonOptions& options, const QList<BoardAddress>& boards,
                 const QList<BroadcastTarget>& broadcast, Memory memory, const QString& folder,
                 const SiteIndex& sites)
{
    Session session(options, !broadcast.isEmpty(), nullptr, PortWaitMs,
                    options.dryRun ? Session::SendsNothing : Session::Listens);
    std::optional<Report> report; // a dry run prints frames only
    if (!options.dryRun)
        report.emplace(options, int(boards.size()), session.link(), sites);
    // The permanent memory too, for a backup of what each board boots with.
    const ReadSpec spec{memory, Completeness::Block, !folder.isEmpty() && memory == Memory::Working,
                        Completeness::Complete, options.dryRun};
    runJob(
        session,
        [&] {
            if (!broadcast.isEmpty())
                session.jobs().readBroadcast(broadcast, spec, options.timing);
            else
                session.jobs().read(boards, spec, options.timing);
        },
        [&](const BoardResult& r) {
            if (r.outcome == Outcome::Planned)
                return printFrames(r, options.json);
            reportBoard(*report, r, memory, folder);
        },
        false);
    return report ? report->finish() : Success;
}

// Where a broadcast read goes. An address given goes out as it is (255.255.255.255 through the
// adapter chosen); without one, the adapter's network and 255.255.255.255 through it, or
// through every adapter but loopback when none is chosen.
QList<BroadcastTarget> broadcastTargets(const QString& given, const std::optional<Adapter>& chosen)
{
    const QList<Adapter> here = adapters();
    const auto through = [](const Adapter& a) {
        QList<BroadcastTarget> out;
        if (a.broadcast != 0)
            out.append({a.broadcast, 0, 0});
        out.append({0xFFFFFFFFu, a.address, a.index});
        return out;
    };
    if (given.isEmpty()) {
        if (chosen)
            return through(*chosen);
        QList<BroadcastTarget> all;
        for (const Adapter& a : here)
            if (!a.loopback)
                all += through(a);
        if (all.isEmpty())
            throw UsageError{QStringLiteral("no adapter but loopback on this PC to broadcast through")};
        return all;
    }
    const quint32 address = addressArgument(given);
    const std::optional<Adapter> reaching = adapterReaching(here, address);
    const int prefix = reaching ? reaching->prefix : 24;
    const quint32 host = prefix >= 31 ? 0 : 0xFFFFFFFFu >> prefix;
    if (address != 0xFFFFFFFFu && (host == 0 || (address & host) != host || address >= 0xE0000000u))
        throw UsageError{QStringLiteral("%1 is no broadcast address (the last of its network %2)")
                             .arg(dottedText(address), networkText(address, prefix))};
    if (address == 0xFFFFFFFFu && chosen)
        return {{address, chosen->address, chosen->index}};
    return {{address, 0, 0}};
}

// The hosts of each adapter's network but loopback, the PC's own address left out; each
// named on stderr with its adapter.
QList<BoardAddress> myNetworks(const std::optional<Adapter>& chosen)
{
    QList<BoardAddress> out;
    QStringList said;
    for (const Adapter& a : chosen ? QList<Adapter>{*chosen} : adapters()) {
        if (a.loopback)
            continue;
        if (a.prefix < 16 || a.prefix > 30) {
            err() << "talvikctl: " << a.networkText()
                  << " left out: wider than /16 or without hosts (give its boards as a range)" << Qt::endl;
            continue;
        }
        const quint32 first = a.network() + 1, last = (a.network() | ~a.mask()) - 1;
        for (quint32 host = first; host <= last; ++host)
            if (host != a.address)
                out.append(BoardAddress(host));
        said.append(QStringLiteral("%1 (%2 addresses)").arg(a.networkText()).arg(last - first));
    }
    if (said.isEmpty())
        throw UsageError{QStringLiteral("no network of this PC to survey (talvikctl adapters lists them)")};
    err() << "talvikctl: my networks: " << said.join(QStringLiteral(", ")) << Qt::endl;
    if (out.size() > MostBoards)
        throw UsageError{
            QStringLiteral("more than %1 boards in these networks: give them as ranges").arg(MostBoards)};
    return out;
}
} // namespace

int runSurvey(const QStringList& argsGiven)
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
         QStringLiteral("Read every board of a network through its broadcast address (192.168.1.255); "
                        "given alone, through the adapter chosen (--interface), or through every adapter "
                        "but loopback, both its network's broadcast and 255.255.255.255."),
         QStringLiteral("address")},
        {QStringLiteral("my-networks"),
         QStringLiteral("Every host of each adapter's network (/16 to /30), the PC's own address left out "
                        "(with --interface, that adapter's alone).")},
        {QStringLiteral("permanent"),
         QStringLiteral("Show the permanent memory instead of the working configuration.")},
        {QStringLiteral("save"),
         QStringLiteral("Write a backup of each board's permanent memory, which it boots with, into this "
                        "folder (ADDRESS.conf; one more read per board)."),
         QStringLiteral("dir")},
    });
    // Requests are paced now, not a number at a time: the old option is taken and let go.
    addSiteOptions(line);
    QCommandLineOption parallel(QStringLiteral("parallel"), {}, QStringLiteral("n"));
    parallel.setFlags(QCommandLineOption::HiddenFromHelp);
    line.parser.addOption(parallel);
    QStringList args = argsGiven; // "--broadcast" alone: through the adapters
    for (qsizetype i = 0; i < args.size(); ++i)
        if (args[i] == QLatin1String("--broadcast") && (i + 1 == args.size() || args[i + 1].startsWith(u'-')))
            args[i] = QStringLiteral("--broadcast=*");
    line.parse(args);
    const CommonOptions options = line.common();
    if (line.isSet(QStringLiteral("parallel")))
        err() << "talvikctl: --parallel is no longer needed and is ignored: every board is asked at once, "
                 "at the network's pace"
              << Qt::endl;
    const Memory memory = line.isSet(QStringLiteral("permanent")) ? Memory::Permanent : Memory::Working;

    const QString folder = line.value(QStringLiteral("save"));

    QList<BroadcastTarget> broadcast;
    QList<BoardAddress> boards;
    const bool whole = line.isSet(QStringLiteral("broadcast")) || line.isSet(QStringLiteral("my-networks"));
    if (whole && (!line.positional().isEmpty() || line.isSet(QStringLiteral("hosts")) ||
                  line.isSet(QStringLiteral("site"))))
        throw UsageError{
            QStringLiteral("--broadcast and --my-networks read whole networks: they take no other "
                           "address")};
    if (line.isSet(QStringLiteral("broadcast")) && line.isSet(QStringLiteral("my-networks")))
        throw UsageError{QStringLiteral("--broadcast or --my-networks, not both")};
    if (line.isSet(QStringLiteral("broadcast"))) {
        const QString given = line.value(QStringLiteral("broadcast"));
        broadcast = broadcastTargets(given == QLatin1String("*") ? QString() : given, options.adapter);
    }
    else if (line.isSet(QStringLiteral("my-networks"))) {
        boards = myNetworks(options.adapter);
    }
    else {
        boards = boardsArgument(line, line.value(QStringLiteral("hosts")));
    }
    if (!folder.isEmpty() && !options.dryRun && !QDir().mkpath(folder))
        throw UsageError{QStringLiteral("cannot create the folder %1").arg(folder)};
    return surveyBoards(options, boards, broadcast, memory, folder,
                        !broadcast.isEmpty() ? SiteIndex{} : siteIndex(line));
}

} // namespace talvik::ctl
