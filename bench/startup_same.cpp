// The floor for start-up: the configurator's window built of plain Qt from the tree
// startup_app --describe wrote (the same controls, texts, fonts, style and layouts, none
// of the program's code), in a program that listens, as the configurator does.

#include "startup_report.h"
#include "widget_tree.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QUdpSocket>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QFile file(QString::fromLocal8Bit(argv[argc - 1]));
    if (argc != 2 || !file.open(QIODevice::ReadOnly))
        return 2;
    const std::unique_ptr<QWidget> window(bench::buildTree(QJsonDocument::fromJson(file.readAll()).object()));
    QUdpSocket socket;
    socket.bind(QHostAddress::AnyIPv4, 0);
    window->show();
    reportWhenShown(*window);
    return app.exec();
}
