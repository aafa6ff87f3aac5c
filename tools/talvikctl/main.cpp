// talvikctl: read, write, reboot and survey lift-controller boards from scripts.

#include "arguments.h"
#include "commands.h"
#include "output.h"
#include "session.h"

#include <QCoreApplication>
#include <functional>
#include <map>

using namespace talvik::ctl;

namespace {
const char* const Overview = R"(Usage: talvikctl COMMAND [options] ...

Reads, writes, reboots and surveys networked lift-controller boards over UDP,
with the frames the TalvikCom configurator sends. Results go to stdout (a table,
or JSON Lines with --json), messages and progress to stderr.

Commands:
  read ADDRESS [--permanent]
      read a board's configuration
  write ADDRESS [--from FILE] [--ip A] [--mask A] ...
      write a configuration, then read it back and compare
  reboot ADDRESS|RANGE... [--wait]
      reboot boards one after another
  survey RANGE|ADDRESS... [--hosts FILE] [--save DIR] [--csv]
      read many boards at once
  apply DIR|FILE...
      write backups made by survey --save, each verified
  listen [--seconds S] [--count N]
      print every datagram that reaches port 6767
  COMMAND --help
      the options of one command
  --version
      the version

Addresses are four decimal numbers (leading zeros allowed: 010 is 10); a range is
FIRST-LAST or FIRST-LASTOCTET (192.168.1.1-254). Boards answer to port 6767, so
talvikctl listens there, and refuses to run while another program (the configurator)
holds it.

Exit codes:
  0  success
  1  no reply: the board did not answer (several boards: none answered)
  2  usage: bad input, nothing was sent
  3  verification mismatch: a board holds another configuration than was written
  4  partial: several boards, some succeeded and some did not
  5  port busy: the local port (6767) is taken
)";
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("talvikctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALVIK_VERSION));

    const QStringList args = app.arguments();
    const QString command = args.value(1);
    if (command.isEmpty() || command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out() << Overview;
        return command.isEmpty() ? Usage : Success;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        out() << "talvikctl " << TALVIK_VERSION << '\n';
        return Success;
    }
    const std::map<QString, std::function<int(const QStringList&)>> commands{
        {QStringLiteral("read"), runRead},     {QStringLiteral("write"), runWrite},
        {QStringLiteral("apply"), runApply},   {QStringLiteral("reboot"), runReboot},
        {QStringLiteral("survey"), runSurvey}, {QStringLiteral("listen"), runListen}};
    const auto it = commands.find(command);
    try {
        if (it == commands.end())
            throw UsageError{
                QStringLiteral("unknown command '%1' (talvikctl --help lists them)").arg(command)};
        return it->second(args);
    }
    catch (const UsageError& e) {
        err() << "talvikctl: " << e.message << Qt::endl;
        return Usage;
    }
    catch (const PortBusyError& e) {
        err() << "talvikctl: port " << e.port << " is in use (is the configurator open?); nothing was sent"
              << Qt::endl;
        return PortBusy;
    }
}
