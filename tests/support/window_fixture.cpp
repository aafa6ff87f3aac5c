#include "window_fixture.h"

#include "gui/app/language.h"

namespace talvik::test {

WindowFixture::WindowFixture(const WindowSetup& setup)
{
    installLanguage(installedLanguage()); // as the program starts: Ukrainian has its plural forms
    WindowOptions o;
    o.messages = &messages;
    o.journalFolder = dir.filePath(QStringLiteral("journal"));
    if (setup.executableFolder.isEmpty()) {
        o.settingsPath =
            setup.settingsPath.isEmpty() ? dir.filePath(QStringLiteral("TalvikCom.ini")) : setup.settingsPath;
    }
    else {
        o.executableFolder = setup.executableFolder;
        o.userFolder = setup.userFolder;
    }
    if (setup.realSockets) {
        udp = std::make_unique<UdpLink>(setup.listenPort);
        udp->setLoopbackOnly(true);
        o.link = udp.get();
        o.listenPort = setup.listenPort;
    }
    else {
        o.link = &link;
        link.refuseListener = setup.portTaken;
    }
    if (!setup.echoUrl.isEmpty())
        o.echoUrl = setup.echoUrl;
    o.lookupTimeoutMs = setup.lookupTimeoutMs;
    if (setup.boardPorts.size() == 3) {
        o.secondPort = setup.boardPorts[0];
        o.thirdPort = setup.boardPorts[1];
        o.wordPort = setup.boardPorts[2];
    }
    window = std::make_unique<TForm1_Config_UDP>(o);
}

void setAddress(AddressRow* row, const QString& dotted)
{
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i)
        row->octet(i)->setValueText(parts.value(i));
}

} // namespace talvik::test
