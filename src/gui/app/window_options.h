#pragma once
// What the window is wired to. The defaults are the production values; tests
// replace them (ephemeral ports, a recording link, a temporary settings file, a
// local echo server, captured messages).

#include <QString>
#include <QUrl>

namespace talvik {

class Link;
class Messages;

struct WindowOptions {
    Link* link = nullptr;         // nullptr: real UDP sockets on listenPort
    Messages* messages = nullptr; // nullptr: modal message boxes
    quint16 listenPort = 6767;
    quint16 secondPort = 8024; // command frames go to the configured port, then these two
    quint16 thirdPort = 6767;
    quint16 wordPort = 8026;  // "msi"/"vsi" word frames
    QString settingsPath;     // empty: TalvikCom.ini beside the executable (settings_location.h)
    QString executableFolder; // empty: the executable's; where an installed copy is told apart
    QString userFolder;       // empty: the platform's configuration folder for this program
    QString journalFolder;    // empty: the journal of writes in the user's data folder (journal.h)
    QUrl echoUrl = QUrl(QStringLiteral("http://checkip.dyndns.org/"));
    int lookupTimeoutMs = 10000;
    int portWaitMs = 2000; // how long a taken listening port is tried again (net/port_wait.h)
};

} // namespace talvik
