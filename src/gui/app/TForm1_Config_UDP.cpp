#include "gui/app/TForm1_Config_UDP.h"

#include "net/port_wait.h"

#include "gui/app/app_icon.h"
#include "gui/app/language.h"
#include "gui/app/messages.h"
#include "gui/app/placement.h"
#include "gui/widgets/clickable.h"
#include "gui/widgets/rows.h"
#include "net/udp_link.h"
#include "store/settings_location.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <exception>

namespace talvik {

TForm1_Config_UDP::TForm1_Config_UDP(const WindowOptions& options, QWidget* parent)
    : QWidget(parent), options_(options),
      journal_(options.journalFolder.isEmpty() ? Journal::defaultFolder() : options.journalFolder)
{
    setObjectName(QStringLiteral("Form1_Config_UDP"));
    setWindowTitle(tr("Конфігуратор плат \"ТАЛВІКОР\" 2025-V_8.5"));
    setWindowIcon(appIcon());

    if (options_.link) {
        link_ = options_.link;
    }
    else {
        ownedLink_ = std::make_unique<UdpLink>(options_.listenPort);
        link_ = ownedLink_.get();
    }
    if (options_.messages) {
        messages_ = options_.messages;
    }
    else {
        ownedMessages_ = std::make_unique<DialogMessages>(this);
        messages_ = ownedMessages_.get();
    }

    settingsLocation_ =
        resolveSettingsLocation(options_.settingsPath, options_.executableFolder, options_.userFolder);
    buildControls();
    bindHandlers();
    addLanguageMenu(this, settingsLocation_, [this](const QString& text) { messages_->message(text); });
    move(393, 137);     // the designed position: no automatic placement
    resize(sizeHint()); // its bounds before the settings load; laid out once, when shown
    guarded([this] { FormCreate(this); });
}

TForm1_Config_UDP::~TForm1_Config_UDP()
{
    // Tearing the controls down moves the focus out of an editor; by then the
    // handlers' window is gone, so the editors must no longer call them.
    for (MacEdit* m : findChildren<MacEdit*>()) {
        m->keyDownHook = nullptr;
        m->keyPressHook = nullptr;
        m->exitHook = nullptr;
    }
    for (NumberEdit* n : findChildren<NumberEdit*>())
        n->keyPressHook = nullptr;
    disconnect(link_, nullptr, this, nullptr);
}

void TForm1_Config_UDP::buildControls()
{
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize); // the window follows its visible controls
    main->addWidget(buildTopBand());

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildWriteGroup(), 0, Qt::AlignTop);
    Button7 = new QPushButton(tr("<-"));
    Button7->setObjectName(QStringLiteral("Button7"));
    Button7->setFixedSize(25, 529);
    middle->addWidget(Button7, 0, Qt::AlignTop);
    middle->addWidget(buildReadBackGroup(), 0, Qt::AlignTop);
    levelCommandBlocks();
    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFixedSize(288, 497);
    Memo1->setMaximumBlockCount(10000); // keeps the newest lines under a flood
    Memo1->hide();
    middle->addWidget(Memo1, 0, Qt::AlignTop);
    main->addLayout(middle);

    main->addWidget(buildRangeGroup(), 0, Qt::AlignLeft);

    Timer2_Conf = new QTimer(this);
    Timer2_Conf->setObjectName(QStringLiteral("Timer2_Conf"));
    Timer2_Conf->setInterval(30);
    TimerRead_Conf = new QTimer(this);
    TimerRead_Conf->setObjectName(QStringLiteral("TimerRead_Conf"));
    TimerRead_Conf->setInterval(1000);
    TimerRead_Conf->setProperty("Tag", 0);
    nameForScreenReaders();
}

// The two groups mirror each other row by row: their command blocks (a button on
// the left, captions over two buttons on the right) take the same height, so each
// read-back row stands level with the row it can be copied into.
void TForm1_Config_UDP::levelCommandBlocks()
{
    auto* write = GroupBox2->findChild<QWidget*>(QStringLiteral("WriteCommands"));
    auto* read = GroupBox1->findChild<QWidget*>(QStringLiteral("ReadCommands"));
    const int height = qMax(write->sizeHint().height(), read->sizeHint().height());
    write->setFixedHeight(height);
    read->setFixedHeight(height);
}

void TForm1_Config_UDP::bindHandlers()
{
    auto click = [this](QPushButton* button, void (TForm1_Config_UDP::*handler)(QObject*)) {
        connect(button, &QPushButton::clicked, this,
                [this, button, handler] { guarded([&] { (this->*handler)(button); }); });
    };
    readBackEmptying_ = new QTimer(this);
    readBackEmptying_->setSingleShot(true);
    readBackEmptying_->setInterval(20);
    connect(readBackEmptying_, &QTimer::timeout, this,
            [this] { guarded([this] { applyReadBackEmptying(); }); });
    click(Button2, &TForm1_Config_UDP::Button2Click);
    click(Button8, &TForm1_Config_UDP::Button2Click);
    click(Button1, &TForm1_Config_UDP::Button1Click);
    click(Button3, &TForm1_Config_UDP::Button3Click);
    click(Button5, &TForm1_Config_UDP::Button5Click);
    click(Button4, &TForm1_Config_UDP::Button4Click);
    click(Button6, &TForm1_Config_UDP::Button6Click);
    click(BitBtn1, &TForm1_Config_UDP::BitBtn1Click);
    click(Button7, &TForm1_Config_UDP::Button7Click);

    // A check box's handler runs on every change of its state, from a click or from code.
    auto toggle = [this](QCheckBox* box, void (TForm1_Config_UDP::*handler)(QObject*)) {
        connect(box, &QCheckBox::toggled, this,
                [this, box, handler] { guarded([&] { (this->*handler)(box); }); });
    };
    toggle(CheckBox1, &TForm1_Config_UDP::CheckBox1Click);
    toggle(CheckBox2, &TForm1_Config_UDP::CheckBox2Click);
    toggle(CheckBox5, &TForm1_Config_UDP::CheckBox2Click);
    toggle(CheckBox4, &TForm1_Config_UDP::CheckBox4Click);
    toggle(Ch_Box_Conf_IP, &TForm1_Config_UDP::Ch_Box_Conf_IPClick);

    connect(Lab_IP1, &ClickableLabel::doubleClicked, this,
            [this] { guarded([&] { Lab_IP1DblClick(Lab_IP1); }); });
    connect(Lab_IP2, &ClickableLabel::doubleClicked, this,
            [this] { guarded([&] { Lab_IP2DblClick(Lab_IP2); }); });
    connect(CurEd_Port, &NumberEdit::doubleClicked, this,
            [this] { guarded([&] { CurEd_PortDblClick(CurEd_Port); }); });
    connect(Panel5, &PanelButton::clicked, this, [this] { guarded([&] { Panel5Click(Panel5); }); });
    // Only the operator's pick: the receive handler's own selection raises nothing.
    connect(CoBox_Iden, &QComboBox::activated, this,
            [this] { guarded([&] { CoBox_IdenChange(CoBox_Iden); }); });

    connect(Timer2_Conf, &QTimer::timeout, this, [this] { guarded([&] { Timer2_ConfTimer(Timer2_Conf); }); });
    connect(TimerRead_Conf, &QTimer::timeout, this,
            [this] { guarded([&] { TimerRead_ConfTimer(TimerRead_Conf); }); });

    connect(link_, &Link::datagramsArrived, this, &TForm1_Config_UDP::receiveBatch);
    bindEditorKeys();
}

void TForm1_Config_UDP::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    }
    catch (const std::exception& e) {
        messages_->error(QString::fromUtf8(e.what()));
    }
    catch (...) {
        messages_->error(tr("Unknown error"));
    }
}

void TForm1_Config_UDP::showMessage(const QString& text)
{
    ++messageDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{messageDepth_};
    messages_->message(text);
}

void TForm1_Config_UDP::FormCreate(QObject*)
{
    loadSettings();
    CheckBox1Click(nullptr);
    CheckBox2Click(nullptr);
    openListenerAtStart();
}

void TForm1_Config_UDP::openListenerAtStart()
{
    openListenerWithin(*link_, options_.portWaitMs, this, [this](bool open) {
        if (!open && !closed_)
            showMessage(tr("Port 6767 ERROR"));
    });
}

void TForm1_Config_UDP::FormClose(QObject*)
{
    // Closed means closed: no tick may send again, and a send would open the port again.
    for (QTimer* timer : {Timer2_Conf, TimerRead_Conf, readBackEmptying_})
        timer->stop();
    closed_ = true;
    Ch_Box_Conf_IP->setChecked(false);
    Lab_IP2DblClick(nullptr);
    QString why;
    if (!saveSettings(&why))
        showMessage(tr("Не вдалося записати файл налаштувань %1").arg(settingsPath()) + u'\n' + why);
    link_->closeListener();
}

void TForm1_Config_UDP::closeEvent(QCloseEvent* event)
{
    if (!closed_)
        guarded([this] { FormClose(this); });
    event->accept();
}

// Placed before it is mapped: a window manager takes the position a window asks for then,
// and may not take a move made while it maps it.
void TForm1_Config_UDP::setVisible(bool visible)
{
    if (visible && !std::exchange(shown_, true))
        fitOnScreen();
    QWidget::setVisible(visible);
}

void TForm1_Config_UDP::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    const bool framed = windowHandle() && !windowHandle()->frameMargins().isNull();
    if (shown_ && framed && !std::exchange(framed_, true))
        fitOnScreen();
}

// The designed position where the window fits; on a small screen (1024 x 768) it would
// open half off it, so it is moved just enough.
void TForm1_Config_UDP::fitOnScreen()
{
    if (!screen())
        return;
    const QRect frame = frameGeometry();
    const QPoint at = placedOnScreen(frame, screen()->availableGeometry());
    if (at != frame.topLeft())
        move(at); // a window's position is its frame's
}

void TForm1_Config_UDP::IdUDPServer_ConfStatus(QObject*) {}

} // namespace talvik
