// The configurator's window as main.cpp builds it (on a free port), reporting when
// its event loop runs and its peak resident memory, then quitting.

#include "app/TForm1_Config_UDP.h"
#include "app/texts.h"
#include "app/window_font.h"
#include "startup_report.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(talvik::texts::ApplicationTitle);
    talvik::useWindowFont();
    talvik::WindowOptions options;
    options.listenPort = 0;
    options.settingsPath = QString::fromLocal8Bit(argv[argc - 1]); // a file kept across the runs
    talvik::TForm1_Config_UDP window(options);
    window.show();
    reportWhenRunning();
    return app.exec();
}
