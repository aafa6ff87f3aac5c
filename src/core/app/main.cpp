#include "core/app/TForm1_Config_UDP.h"
#include "core/app/window_font.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TalvikCom"));
    // The application title is the desktop entry's name and the title of the message
    // boxes; given to Qt as the display name it would be glued to every window caption.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.talvikcom.TalvikCom"));
    talvik::useWindowFont();
    talvik::TForm1_Config_UDP window;
    window.show();
    return app.exec();
}
