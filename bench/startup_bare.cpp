// The floor for start-up: a bare Qt window in the same tree.

#include "startup_report.h"

#include <QApplication>
#include <QLabel>
#include <QUdpSocket>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("bare"));
    QUdpSocket socket; // a program that listens, like the configurator
    socket.bind(QHostAddress::AnyIPv4, 0);
    window.show();
    reportWhenRunning();
    return app.exec();
}
