// The configurator as main.cpp starts it (on a free port), reporting when its window
// is on the screen. With --describe FILE it writes its widget tree there instead, for
// startup_same to build the same window of plain Qt.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/window_font.h"
#include "gui/fleet_window/fleet_window_host.h"
#include "startup_report.h"
#include "widget_tree.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    talvik::useWindowFont();
    talvik::WindowOptions options;
    options.listenPort = 0;
    options.settingsPath = QString::fromLocal8Bit(argv[argc - 1]); // a file kept across the runs
    talvik::TForm1_Config_UDP window(options);
    talvik::FleetWindowHost fleet(window); // beside it, its window not open
    if (argc == 4 && qstrcmp(argv[1], "--describe") == 0) {
        QFile out(QString::fromLocal8Bit(argv[2]));
        return out.open(QIODevice::WriteOnly) &&
                       out.write(QJsonDocument(bench::describeTree(window)).toJson()) > 0 && out.flush()
                   ? 0
                   : 1;
    }
    window.show();
    reportWhenShown(window);
    return app.exec();
}
