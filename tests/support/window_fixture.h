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

struct WindowFixture {
    QTemporaryDir dir;
    RecordingLink link;
    RecordingMessages messages;
    std::unique_ptr<TForm1_Config_UDP> window;

    explicit WindowFixture(bool listenerTaken = false)
    {
        link.refuseListener = listenerTaken;
        WindowOptions options;
        options.link = &link;
        options.messages = &messages;
        options.settingsPath = settingsFile();
        window = std::make_unique<TForm1_Config_UDP>(options);
        link.refuseListener = false;
    }
    QString settingsFile() const { return dir.filePath(QStringLiteral("TalvikCom.ini")); }
};

// Types an address into a row through its editors' values, as an operator would leave it.
void setAddress(AddressRow* row, const QString& dotted);

} // namespace talvik::test
