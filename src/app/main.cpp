#include "app/TForm1_Config_UDP.h"
#include "app/texts.h"
#include "app/window_font.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TalvikCom"));
    QApplication::setApplicationDisplayName(talvik::texts::ApplicationTitle);
    talvik::useWindowFont();
    talvik::TForm1_Config_UDP window;
    window.show();
    return app.exec();
}
