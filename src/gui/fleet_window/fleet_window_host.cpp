#include "gui/fleet_window/fleet_window_host.h"

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/widgets/rows.h"
#include "net/adapters.h"
#include "net/port_wait.h"

#include <QEvent>
#include <QScreen>
#include <QShortcut>

namespace talvik {

FleetWindowHost::FleetWindowHost(TForm1_Config_UDP& configurator, FleetDialogs* dialogs)
    : configurator_(configurator), ownDialogs_(dialogs ? nullptr : std::make_unique<SystemDialogs>()),
      dialogs_(dialogs ? dialogs : ownDialogs_.get()),
      client_(
          configurator.link(), [&configurator] { return configurator.commandPorts(); },
          configurator.options().wordPort),
      survey_(client_, model_), jobs_(client_, model_),
      discovery_(client_, model_, configurator.options().listenPort)
{
    configurator_.setAwaitedElsewhere([this](quint32 sender, const QByteArray& datagram) {
        return client_.awaits(BoardAddress(sender), datagram);
    });
    jobs_.setJournal(&configurator_.journal()); // one journal for both windows
    client_.setPrefix(livePrefixes());          // the waits follow each adapter's network
    // A window shortcut: the key never reaches the editor that has the focus.
    auto* key = new QShortcut(QKeySequence(Qt::Key_F3), &configurator_);
    key->setObjectName(QStringLiteral("openFleet"));
    connect(key, &QShortcut::activated, this, &FleetWindowHost::open);
    configurator_.installEventFilter(this);
}

FleetWindowHost::~FleetWindowHost()
{
    configurator_.removeEventFilter(this);
    configurator_.setAwaitedElsewhere({});
}

FleetWindow& FleetWindowHost::window()
{
    if (!window_) {
        window_ = std::make_unique<FleetWindow>(model_, survey_, jobs_, *dialogs_,
                                                configurator_.settingsLocation());
        window_->openInConfigurator = [this](BoardAddress board) { openInConfigurator(board); };
        window_->whenListening = [this](const std::function<void(bool)>& done) {
            openListenerWithin(configurator_.link(), configurator_.options().portWaitMs, window_.get(), done);
        };
        window_->loadSettings();
    }
    return *window_;
}

void FleetWindowHost::open()
{
    FleetWindow& w = window();
    if (!w.isVisible())
        if (const QScreen* screen = configurator_.screen()) // a remembered size may be a larger screen's
            w.resize(w.size().boundedTo(screen->availableGeometry().size() - QSize(16, 48)));
    w.show();
    w.raise();
    w.activateWindow();
}

// As the operator would: the address typed into the board address, then "read the working
// configuration" clicked.
void FleetWindowHost::openInConfigurator(BoardAddress board)
{
    configurator_.Ed_0->setBytes(octetsOf(board.ipv4()));
    configurator_.Button8->click();
    configurator_.show();
    configurator_.raise();
    configurator_.activateWindow();
}

// The configurator's close ends the program: the fleet window goes with it, its work
// stopped and its settings saved.
bool FleetWindowHost::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &configurator_ && event->type() == QEvent::Close) {
        survey_.cancel();
        jobs_.cancel();
        if (window_ && window_->isVisible())
            window_->close();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace talvik
