#pragma once
// The window under test: on a recording link or on real loopback sockets, with
// captured messages and a settings file of its own.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/messages.h"
#include "gui/widgets/clickable.h"
#include "gui/widgets/rows.h"
#include "net/udp_link.h"
#include "recording_link.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace talvik::test {

class RecordingMessages : public Messages {
  public:
    void message(const QString& text) override
    {
        messages << text;
        if (onMessage)
            onMessage();
    }
    void error(const QString& text) override { errors << text; }
    QStringList messages;
    QStringList errors;
    std::function<void()> onMessage; // runs "while the message is open"
};

// How a window under test is wired. The defaults: a recording link, the production
// board ports (nothing reaches them), a settings file in the fixture's own folder.
struct WindowSetup {
    bool realSockets = false; // a UdpLink, loopback only, instead of the recording link
    quint16 listenPort = 0;   // with real sockets; 0: a port the system picks
    bool portTaken = false;   // recording link: the listening port cannot be opened (link.refuseListener)
    QString settingsPath;     // empty: TalvikCom.ini in the fixture's folder
    QString executableFolder; // with userFolder instead of a path: found as the program finds it
    QString userFolder;
    QUrl echoUrl; // empty: the production URL
    int lookupTimeoutMs = 10000;
    QList<quint16> boardPorts; // second, third and word-frame port; empty: the production ones

    WindowSetup& real(quint16 port = 0)
    {
        realSockets = true;
        listenPort = port;
        return *this;
    }
    WindowSetup& taken()
    {
        portTaken = true;
        return *this;
    }
    WindowSetup& settings(const QString& path)
    {
        settingsPath = path;
        return *this;
    }
    WindowSetup& folders(const QString& executable, const QString& user)
    {
        executableFolder = executable;
        userFolder = user;
        return *this;
    }
    WindowSetup& echo(const QUrl& url, int timeoutMs = 10000)
    {
        echoUrl = url;
        lookupTimeoutMs = timeoutMs;
        return *this;
    }
    WindowSetup& boards(quint16 second, quint16 third, quint16 word)
    {
        boardPorts = {second, third, word};
        return *this;
    }
};

class WindowFixture {
  public:
    explicit WindowFixture(const WindowSetup& setup = {});

    QTemporaryDir dir;
    RecordingLink link;
    std::unique_ptr<UdpLink> udp; // with real sockets
    RecordingMessages messages;
    std::unique_ptr<TForm1_Config_UDP> window;

    quint16 listeningPort() const { return udp ? udp->boundPort() : 0; }
    bool listening() const { return udp ? udp->isListening() : link.isListening(); }
    void close() { window->close(); }
};

// Types an address into a row through its editors' values, as an operator would leave it.
void setAddress(AddressRow* row, const QString& dotted);

} // namespace talvik::test
