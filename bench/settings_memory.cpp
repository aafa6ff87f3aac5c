// The configurator started on a settings file, an address changed and the window
// closed, which saves it: prints "peak <kB>", the peak memory of loading and saving.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/messages.h"
#include "gui/widgets/rows.h"
#include "startup_report.h"

#include <QApplication>

namespace {
class SilentMessages : public talvik::Messages {
  public:
    void message(const QString&) override {}
    void error(const QString&) override {}
};
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SilentMessages messages;
    talvik::WindowOptions options;
    options.listenPort = 0;
    options.messages = &messages;
    options.settingsPath = QString::fromLocal8Bit(argv[argc - 1]);
    talvik::TForm1_Config_UDP window(options);
    talvik::NumberEdit* octet = window.Ed_0->octet(3);
    octet->setValue(octet->value() ^ 1); // a change, so the close writes the file
    window.close();
    std::printf("peak %ld\n", peakResidentKb());
    return 0;
}
