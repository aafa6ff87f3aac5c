// talvikctl: read, write, reboot and survey lift-controller boards from scripts.

#include "arguments.h"
#include "board/untrusted_text.h"
#include "commands.h"
#include "interrupt.h"
#include "output.h"
#include "session.h"

#include <QCoreApplication>
#include <functional>
#include <map>

using namespace talvik::ctl;

namespace {
const char* const Overview = R"(Usage: talvikctl [options] COMMAND [options] ...

Reads, writes, reboots and surveys networked lift-controller boards over UDP,
with the frames the TalvikCom configurator sends. Results go to stdout (a table,
or JSON Lines with --json), messages and progress to stderr, each board's line
as soon as that board is done.

Commands:
  read ADDRESS [--permanent]
      read a board's configuration
  write ADDRESS|RANGE... [--from FILE] [--ip A] [--mask A] ...
      write a configuration (one change on many boards), then read it back and compare
  history [ADDRESS] [--jobs | --job ID]
      the journal of writes, or of jobs, newest first; one job's boards
  undo ADDRESS, undo --job ID
      put back what a board held before its last journaled write, or every
      board of a job as it was before the job
  retry FILE, retry --job ID
      run a write, apply, undo or reboot again on the boards of its --json
      output (or of the job of the journal) that did not succeed
  reboot ADDRESS|RANGE... [--wait]
      reboot boards, in waves
  survey RANGE|NETWORK|ADDRESS... [--hosts FILE] [--save DIR] [--csv]
  survey --broadcast [ADDRESS] [--save DIR], survey --my-networks
      read many boards at once
  adapters
      this PC's network adapters, for --interface NAME|ADDRESS
  apply DIR|FILE... [--force]
      write backups of the permanent memory made by survey --save, each verified
  apply FILE --to ADDRESS [--take-mac] [--reboot]
      write a failed board's backup to its replacement
  backup RANGE|ADDRESS... --into DIR [--git] [--on-change COMMAND]
      keep every board's configuration in a folder, a commit for each change
  sites [add NAME ADDRESS|RANGE... | remove NAME]
      the sites: a building's or district's boards under a name (--site NAME)
  diff --reference ADDRESS [--site NAME|RANGE...]
      the fields a site shares that differ from a reference board
  listen [--seconds S] [--count N]
      print every datagram that reaches port 6767
  exporter RANGE|ADDRESS... [--web.listen-address ADDRESS:PORT] [--web.config.file FILE]
      survey every interval and serve the boards' state to Prometheus
  help COMMAND, COMMAND --help
      the options of one command
  -V, --version
      the version

Options every command that talks to boards takes, also before its name:
  --json, --quiet, --dry-run, --timeout MS, --retries N, --local-port PORT,
  --ports LIST, --word-port PORT (see each command's help for those it takes).

Addresses are four decimal numbers (leading zeros allowed: 010 is 10); a range is
FIRST-LAST or FIRST-LASTOCTET (192.168.1.1-254) inside one /24. A network,
broadcast, zero or multicast address is no board's and is refused: only
survey --broadcast sends to a broadcast address. Boards answer to port 6767, so
talvikctl listens there, and refuses to run while another program (the
configurator) holds it.

Exit codes:
  0    success
  1    no reply: the board did not answer with a whole configuration (several
       boards: none did)
  2    usage: bad input, or a configuration the window never writes; nothing
       was sent
  3    verification mismatch: a board holds another configuration than was written
  4    partial: several boards, some succeeded and some did not
  5    port busy: the local port (6767) is taken
  6    a backup could not be made (survey --save)
  7    the journal could not be written: that write was not sent
  8    backup --on-change: the command failed (the backup is kept)
  130  interrupted (Ctrl-C): the lines and backups written so far are whole
)";

// "talvikctl --json survey ..." is "talvikctl survey ... --json".
QStringList withGlobalOptionsLast(const QStringList& args)
{
    QStringList global;
    int i = 1;
    for (bool takesValue = false; i < args.size() && isGlobalOption(args[i], &takesValue); ++i) {
        global.append(args[i]);
        if (takesValue && i + 1 < args.size())
            global.append(args[++i]);
    }
    return QStringList{args.value(0)} + args.mid(i) + global;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("talvikctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALVIK_VERSION));

    QStringList args = withGlobalOptionsLast(app.arguments());
    QString command = args.value(1);
    if (command == QLatin1String("help") && args.size() > 2) { // "help read" is "read --help"
        command = args[2];
        args = {args[0], command, QStringLiteral("--help")};
    }
    if (command.isEmpty() || command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out() << Overview;
        return command.isEmpty() ? Usage : Success;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-V")) {
        out() << "talvikctl " << TALVIK_VERSION << '\n';
        return Success;
    }
    const std::map<QString, std::function<int(const QStringList&)>> commands{
        {QStringLiteral("read"), runRead},         {QStringLiteral("write"), runWrite},
        {QStringLiteral("apply"), runApply},       {QStringLiteral("reboot"), runReboot},
        {QStringLiteral("survey"), runSurvey},     {QStringLiteral("listen"), runListen},
        {QStringLiteral("exporter"), runExporter}, {QStringLiteral("history"), runHistory},
        {QStringLiteral("undo"), runUndo},         {QStringLiteral("retry"), runRetry},
        {QStringLiteral("backup"), runBackup},     {QStringLiteral("sites"), runSites},
        {QStringLiteral("diff"), runDiff},         {QStringLiteral("adapters"), runAdapters}};
    const auto it = commands.find(command);
    endOnInterrupt(&Progress::howFar);
    try {
        if (it == commands.end())
            throw UsageError{
                command.startsWith(QLatin1Char('-'))
                    ? QStringLiteral("unknown option '%1' (the version is -V)").arg(command)
                    : QStringLiteral("unknown command '%1' (talvikctl --help lists them)").arg(command)};
        setQuiet(args.contains(QStringLiteral("--quiet")) || args.contains(QStringLiteral("-q")));
        return it->second(args);
    }
    catch (const UsageError& e) {
        // A message may quote a file or a board: never a raw control character.
        err() << "talvikctl: " << talvik::quoted(e.message, 4096) << Qt::endl;
        return Usage;
    }
    catch (const PortBusyError& e) {
        err() << "talvikctl: port " << e.port << " is in use (is the configurator open?); nothing was sent"
              << Qt::endl;
        return PortBusy;
    }
}
