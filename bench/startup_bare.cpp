// The floor for start-up: a bare Qt window in the same tree.

#include "peak_memory.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QUdpSocket>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("bare"));
    QUdpSocket socket; // a program that listens, like the configurator
    socket.bind(QHostAddress::AnyIPv4, 0);
    window.show();
    QTimer::singleShot(0, [] {
        printf("ready %ld\n", peakResidentKb());
        fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}
