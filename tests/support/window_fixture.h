#pragma once
// A window on a recording link, with captured messages and its own settings file.

#include "app/TForm1_Config_UDP.h"
#include "app/messages.h"
#include "recording_link.h"
#include "ui/clickable.h"
#include "ui/rows.h"

#include <QStringList>
#include <QTemporaryDir>
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

// Options for a window under test: the given link, captured messages, and a settings
// file of its own in `dir`. Tests adjust ports or the echo URL from there.
inline WindowOptions testOptions(Link& link, Messages& messages, const QTemporaryDir& dir)
{
    WindowOptions options;
    options.link = &link;
    options.messages = &messages;
    options.settingsPath = dir.filePath(QStringLiteral("TalvikCom.ini"));
    return options;
}

struct WindowFixture {
    QTemporaryDir dir;
    RecordingLink link;
    RecordingMessages messages;
    std::unique_ptr<TForm1_Config_UDP> window;

    explicit WindowFixture(bool listenerTaken = false)
    {
        link.refuseListener = listenerTaken;
        window = std::make_unique<TForm1_Config_UDP>(testOptions(link, messages, dir));
        link.refuseListener = false;
    }
    QString settingsFile() const { return dir.filePath(QStringLiteral("TalvikCom.ini")); }
};

// Types an address into a row through its editors' values, as an operator would leave it.
void setAddress(AddressRow* row, const QString& dotted);

} // namespace talvik::test
