// The configurator as main.cpp starts it (on a free port), reporting when its window
// is on the screen.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/window_font.h"
#include "gui/fleet_window/fleet_window_host.h"
#include "startup_report.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    talvik::useWindowFont();
    talvik::WindowOptions options;
    options.listenPort = 0;
    options.settingsPath = QString::fromLocal8Bit(argv[argc - 1]); // a file kept across the runs
    talvik::TForm1_Config_UDP window(options);
    talvik::FleetWindowHost fleet(window); // beside it, its window not open
    window.show();
    reportWhenShown(window);
    return app.exec();
}
