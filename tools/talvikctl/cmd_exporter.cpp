// talvikctl exporter: the boards surveyed every interval, their state served to
// Prometheus. Port 6767 is held only while a survey runs, so the configurator and the
// other commands can use it in between; a survey that falls due while another program
// holds it is skipped and counted, not fought for.

#include "arguments.h"
#include "board/untrusted_text.h"
#include "commands.h"
#include "exporter_metrics.h"
#include "journal/backup_folder.h"
#include "metrics_server.h"
#include "output.h"
#include "session.h"
#include "sites.h"
#include "wire/board_address.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QTimer>
#include <memory>

namespace talvik::ctl {

namespace {
struct ListenAddress {
    QHostAddress address;
    quint16 port = 0;
};

// "ADDRESS:PORT" ("[::1]:9767" for IPv6); ":PORT" is every address.
ListenAddress listenArgument(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    ListenAddress out;
    out.address = host.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(host);
    if (colon < 0 || out.address.isNull())
        throw UsageError{QStringLiteral("--web.listen-address takes ADDRESS:PORT (127.0.0.1:9767), not %1")
                             .arg(talvik::quoted(text))};
    out.port =
        quint16(numberArgument(QStringLiteral("--web.listen-address's port"), text.mid(colon + 1), 1, 65535));
    return out;
}

class Exporter {
  public:
    Exporter(const CommonOptions& options, const QList<BoardAddress>& boards, bool permanentToo,
             const QString& backups, const std::optional<SiteIndex>& sites)
        : options_(options), permanentToo_(permanentToo),
          backups_(backups.isEmpty() ? std::nullopt : std::optional<BackupFolder>(backups))
    {
        for (BoardAddress board : boards) {
            BoardState b;
            b.address = board;
            if (sites)
                b.site = sites->label(board);
            state_.boards.append(b);
        }
    }

    // What a scrape answers: the boards as the last survey left them, and the counters now.
    QByteArray page() const { return boards_ + countersPage(state_); }
    bool surveyed() const { return state_.surveyed; }

    // Starts a survey unless one runs or the port is held by another program.
    void surveyDue()
    {
        if (session_) {
            ++state_.skipped;
            err() << "talvikctl exporter: the last survey still runs; this one is skipped" << Qt::endl;
            return;
        }
        try {
            session_ = std::make_unique<Session>(options_, false, nullptr, 0); // a survey is not fought for
        }
        catch (const PortBusyError& e) {
            ++state_.skipped;
            err() << "talvikctl exporter: port " << e.port
                  << " is held by another program (the configurator?); this survey is skipped" << Qt::endl;
            return;
        }
        since_.start();
        read_.clear();
        BoardJobs& jobs = session_->jobs();
        QObject::connect(&jobs, &BoardJobs::boardDone, &jobs,
                         [this](const BoardResult& r) { read_.insert(r.board, r); });
        QObject::connect(&jobs, &BoardJobs::finished, &jobs, [this](const JobSummary& summary) {
            // The session is not ended from inside its own engine's call.
            QTimer::singleShot(0, [this, summary] { finish(summary); });
        });
        QList<BoardAddress> boards;
        for (const BoardState& b : state_.boards)
            boards.append(b.address);
        jobs.read(boards,
                  ReadSpec{Memory::Working, Completeness::Block, permanentToo_, Completeness::Complete},
                  options_.timing);
    }

  private:
    void finish(const JobSummary& summary)
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        for (BoardState& b : state_.boards) {
            const BoardResult r = read_.value(b.address);
            b.up = r.config.has_value();
            b.shown = r.config.value_or(BoardConfig{});
            b.differs.reset();
            if (b.up && r.permanent)
                b.differs = !takenAtReboot(b.shown, *r.permanent).isEmpty();
            if (b.up)
                b.lastSeenMs = now;
            if (backups_) {
                b.differsFromBackup = b.up ? backups_->differs(b.shown) : std::nullopt;
                const QDateTime since = backups_->keptSince(b.address, Memory::Working);
                b.backupSinceMs = since.isValid() ? since.toMSecsSinceEpoch() : 0;
            }
        }
        state_.repliesLost += summary.lostToOverload;
        state_.lastSurveySeconds = double(since_.nsecsElapsed()) / 1e9;
        state_.surveyed = true;
        ++state_.surveys;
        session_.reset(); // the port is free until the next survey
        read_.clear();
        boards_ = boardsPage(state_);
    }

    CommonOptions options_;
    bool permanentToo_;
    std::optional<BackupFolder> backups_;
    ExporterState state_;
    std::unique_ptr<Session> session_;
    QHash<BoardAddress, BoardResult> read_;
    QByteArray boards_; // the boards' part of the page, rendered when a survey ends
    QElapsedTimer since_;
};
} // namespace

int runExporter(const QStringList& args)
{
    CommandLine line(QStringLiteral("exporter"),
                     QStringLiteral("Surveys the boards every interval and serves their state at "
                                    "http://ADDRESS:PORT/metrics in Prometheus' text format. Port 6767 is "
                                    "held only while a survey runs; a survey that falls due while another "
                                    "program holds it is skipped and counted. Runs until ended (SIGTERM, "
                                    "Ctrl-C)."),
                     Requests | Ports);
    line.parser.addPositionalArgument(QStringLiteral("RANGE|ADDRESS..."), QStringLiteral("The boards."));
    line.parser.addOptions({
        {{QStringLiteral("web.listen-address"), QStringLiteral("listen")},
         QStringLiteral("Where the metrics are served, again for each more address (default 127.0.0.1:9767: "
                        "this PC only; 0.0.0.0:9767 for every network, for a Prometheus elsewhere)."),
         QStringLiteral("address:port")},
        {QStringLiteral("web.config.file"),
         QStringLiteral("A web configuration in the format of Prometheus' exporters: TLS, client "
                        "certificates, basic authentication with bcrypt hashes, headers, a rate limit."),
         QStringLiteral("file")},
        {QStringLiteral("web.systemd-socket"),
         QStringLiteral("Serve on the sockets a systemd socket unit passes, instead of listening.")},
        {QStringLiteral("interval"), QStringLiteral("Seconds from one survey to the next (default 60)."),
         QStringLiteral("seconds"), QStringLiteral("60")},
        {QStringLiteral("hosts"),
         QStringLiteral("Also the boards of a file, one address or range per line, '#' comments."),
         QStringLiteral("file")},
        {QStringLiteral("permanent-too"),
         QStringLiteral("Also read each board's permanent memory, for talvik_board_config_differs.")},
        {QStringLiteral("backups"),
         QStringLiteral("The folder talvikctl backup keeps: each board's working configuration is compared "
                        "with its file there (talvik_board_backup_differs)."),
         QStringLiteral("dir")},
    });
    addSiteOptions(line);
    line.parse(args);
    const CommonOptions options = line.common();
    QList<ListenAddress> listens;
    for (const QString& text : line.parser.values(QStringLiteral("web.listen-address")))
        listens.append(listenArgument(text));
    if (listens.isEmpty())
        listens.append(listenArgument(QStringLiteral("127.0.0.1:9767")));
    const int interval =
        numberArgument(QStringLiteral("--interval"), line.value(QStringLiteral("interval")), 1, 86400);
    const QList<BoardAddress> boards = boardsArgument(line, line.value(QStringLiteral("hosts")));
    if (boards.isEmpty())
        throw UsageError{QStringLiteral("no boards given")};

    Exporter exporter(options, boards, line.isSet(QStringLiteral("permanent-too")),
                      line.value(QStringLiteral("backups")),
                      line.isSet(QStringLiteral("site")) ? std::optional(siteIndex(line)) : std::nullopt);
    MetricsServer server({[&exporter] { return exporter.page(); },
                          [&exporter] { return exporter.surveyed(); }, QStringLiteral(TALVIK_VERSION)});
    QString why;
    if (line.isSet(QStringLiteral("web.config.file")) &&
        !server.useWebConfig(line.value(QStringLiteral("web.config.file")), &why))
        throw UsageError{why};
    if (line.isSet(QStringLiteral("web.systemd-socket"))) {
        if (!server.listenOnSystemdSockets(&why))
            throw UsageError{why};
    }
    else
        for (const ListenAddress& listen : listens)
            if (!server.listen(listen.address, listen.port, &why))
                throw UsageError{QStringLiteral("cannot serve at %1:%2: %3")
                                     .arg(listen.address.toString())
                                     .arg(listen.port)
                                     .arg(why)};
    QTimer every;
    QObject::connect(&every, &QTimer::timeout, [&exporter] { exporter.surveyDue(); });
    every.start(interval * 1000);
    exporter.surveyDue();
    QEventLoop loop;
    return loop.exec();
}

} // namespace talvik::ctl
