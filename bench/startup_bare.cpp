// The floor for start-up: a bare Qt window in the same tree, a program that listens.

#include "startup_report.h"

#include <QApplication>
#include <QLabel>
#include <QUdpSocket>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("bare"));
    QUdpSocket socket;
    socket.bind(QHostAddress::AnyIPv4, 0);
    window.show();
    reportWhenShown(window);
    return app.exec();
}
