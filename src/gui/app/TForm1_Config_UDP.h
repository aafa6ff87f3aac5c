#pragma once
// The one window of the configurator. Its controls are the data model: commands
// read the write group and the addressed board from them, replies write the
// read-back group into them. Handler bodies live with their subsystem.

#include "gui/app/window_options.h"
#include "journal/journal.h"
#include "net/link.h"
#include "store/settings_location.h"
#include "wire/ident_records.h"
#include "wire/range_sequencer.h"
#include "wire/received_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QHostAddress;

namespace talvik {

class AddressRow;
class ClickableLabel;
class Link;
class MacEdit;
class MacRow;
class Messages;
class NumberEdit;
class PanelButton;

class TForm1_Config_UDP : public QWidget {
    Q_OBJECT
  public:
    explicit TForm1_Config_UDP(const WindowOptions& options = {}, QWidget* parent = nullptr);
    ~TForm1_Config_UDP() override;
    void setVisible(bool visible) override;

    // --- top band: the addressed board, reboot, reply status, external address
    QGroupBox* GroupBox6;
    ClickableLabel* Lab_IP1;
    ClickableLabel* Lab_IP2;
    AddressRow* Ed_0;
    QPushButton* Button3;
    QLineEdit* EditRs;
    QLabel* Label_In_IP;
    QLabel* Label_In_Port;
    QLabel* LabIdent;
    QLabel* LabIn;
    QLabel* Label5;
    QGroupBox* GroupBox7;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;

    // --- identifier mode (hidden)
    QCheckBox* Ch_Box_Conf_IP;
    QLabel* Lab_Iden;
    QComboBox* CoBox_Iden;
    QFrame* Pan_Port;
    NumberEdit* CurEd_Port;
    QLabel* Lab_Port;
    QPlainTextEdit* Memo1;
    PanelButton* Panel5;

    // --- write group
    QGroupBox* GroupBox2;
    QPushButton* Button1;
    QFrame* Panel3;
    NumberEdit* Str_NL_W;
    QLabel* Label55;
    AddressRow* ED_2;
    AddressRow* ED_3;
    AddressRow* ED_4;
    MacRow* ED_5;
    QLabel *Label4, *Label3, *Label2, *Label1;
    QPushButton* Button5;
    QGroupBox* GroupBox4;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox2;
    QLabel* Label6;
    AddressRow* ED_1;
    QLabel* Label57;
    NumberEdit* IND_MEdit;
    QLabel* Label63;
    AddressRow* ED_11;
    QLabel* Label68;
    AddressRow* ED_12;

    QPushButton* Button7;

    // --- read-back group
    QGroupBox* GroupBox1;
    QLabel* Label59;
    QPushButton* Button2;
    QLabel* Label49;
    QPushButton* Button8;
    QFrame* Panel4;
    MacEdit* Str_NL_R;
    QLabel* Label56;
    AddressRow* ED_7;
    AddressRow* ED_8;
    AddressRow* ED_9;
    MacRow* ED_10;
    QLabel *Label10, *Label9, *Label8, *Label7;
    QLabel* Lab_Ver;
    QGroupBox* GroupBox5;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox3;
    QLabel* Label11;
    AddressRow* ED_6;
    QLabel* Label58;
    NumberEdit* CurrencyEdit1;
    QLabel* Label64;
    AddressRow* ED_61;
    QLabel* Label76;
    AddressRow* ED_62;

    // --- range reboot (hidden)
    QCheckBox* CheckBox1;
    QGroupBox* GroupBox3;
    QLabel* Label53;
    AddressRow* Panel1;
    QLabel* Label54;
    QFrame* Panel2;
    NumberEdit* EdR1_0_IP_0;
    QPushButton* Button4;
    QPushButton* Button6;
    QProgressBar* ProgressBar1;
    QLineEdit* Edit2;

    // --- non-visual
    QTimer* Timer2_Conf;
    QTimer* TimerRead_Conf;

    // Handlers, one per event, grouped by the file that defines them. A handler
    // called from code gets the sender nullptr; one bound to several controls tells
    // them apart by the sender's Tag.

    // app/TForm1_Config_UDP.cpp: creation and closing
    void FormCreate(QObject* sender);
    void FormClose(QObject* sender);
    // Status changes of the listening socket: a UDP socket has none an operator needs.
    void IdUDPServer_ConfStatus(QObject* sender);

    // commands/commands.cpp: read, write, reboot
    void Button2Click(QObject* sender); // Button2 (Tag 0) and Button8 (Tag 1)
    void Button1Click(QObject* sender);
    void Button3Click(QObject* sender);
    // Empties the read-back fields, except those `keep` is about to show.
    void ClearReadBack(const ReceivedView& keep = {});
    void hideAddressType(); // the type boxes and the version caption
    void stageReadBackEmptying();
    void applyReadBackEmptying(const ReceivedView& shown = {});

    // commands/sending.cpp: the three ways a datagram leaves
    bool boardAddressRefused(); // shows the message for 000.000.000.000
    QString boardAddressString() const;
    int configuredPort() const;
    // Where a command frame goes: the configured port (unless 0), then the second and third.
    QList<quint16> commandPorts() const;
    bool SendCommandFrame(const QByteArray& frame); // false when it did not leave whole
    // To each port in turn (the command ports, the range reboot's burst); false at the first failure.
    bool SendFromListener(const QString& host, const QList<quint16>& ports, const QByteArray& frame);
    void SendWordFrame(const QString& word, const QString& host, quint16 port);

    // replies/receive.cpp: every datagram on the listening port
    void IdUDPServer_ConfUDPRead(const QByteArray& datagram, quint32 sender, quint16 senderPort);
    // replies/polling.cpp: the four reads after a reboot
    void TimerRead_ConfTimer(QObject* sender);

    // range/range_reboot.cpp: a run of boards rebooted on a 30 ms timer
    void CheckBox1Click(QObject* sender);
    void Button4Click(QObject* sender);
    void Button6Click(QObject* sender);
    void Timer2_ConfTimer(QObject* sender);
    // range/ident_mode.cpp: boards picked by the identifier they report
    void Ch_Box_Conf_IPClick(QObject* sender);
    void CoBox_IdenChange(QObject* sender);
    void CurEd_PortDblClick(QObject* sender);
    void Panel5Click(QObject* sender);

    // ui/editor_keys.cpp: keys in the octet and MAC editors
    void Ed_1_IP_0KeyPress(QObject* sender, QChar& key);
    void Ed_1_IP_1KeyPress(QObject* sender, QChar& key);
    void Ed_1_IP_2KeyPress(QObject* sender, QChar& key);
    void Ed_11_IP_0KeyPress(QObject* sender, QChar& key);
    void Ed_11_IP_1KeyPress(QObject* sender, QChar& key);
    void Ed_11_IP_2KeyPress(QObject* sender, QChar& key);
    void Ed_5_IP_0KeyDown(QObject* sender, int& keyCode);
    void Ed_5_IP_0KeyPress(QObject* sender, QChar& key);
    void Ed_5_IP_0Exit(QObject* sender);
    // ui/toggles.cpp: the address-type boxes
    void CheckBox2Click(QObject* sender); // CheckBox2 and CheckBox5
    void CheckBox4Click(QObject* sender);
    // ui/shortcuts.cpp: the 010.000.000.002 shortcut and "IP --> MAC"
    void Lab_IP1DblClick(QObject* sender);
    void Lab_IP2DblClick(QObject* sender);
    void Button5Click(QObject* sender);

    // settings/settings_file.cpp: TalvikCom.ini loaded at start and saved at close
    void loadSettings();
    // False, with the operator's reason, when the file could not be written; it is then
    // left byte for byte as it was.
    bool saveSettings(QString* failure = nullptr);
    QString settingsPath() const { return settingsLocation_.writePath; }
    const SettingsLocation& settingsLocation() const { return settingsLocation_; }

    // What the window is wired to, for the fleet window beside it (one link, one port 6767).
    Link& link() const { return *link_; }
    const WindowOptions& options() const { return options_; }

    // commands/write_journal.cpp: "Записати" in the journal of writes, with the board's
    // permanent memory as this window last read it; its read-back as the result.
    Journal& journal() { return journal_; }
    void journalWrite(const QByteArray& frame);
    void journalReply(const QByteArray& datagram, quint32 sender);

    // lookup/lookup.cpp: the external address and "<-"
    void BitBtn1Click(QObject* sender);
    void Button7Click(QObject* sender);
    bool lookupRunning() const { return lookupRunning_; }

    // app/TForm1_Config_UDP.cpp: state beside the controls, messages, errors, the close.
    // The sending socket's destination, as the range reboot re-points it.
    QString clientHost() const { return clientHost_; }
    quint16 clientPort() const { return clientPort_; }
    const IdentRecords& identRecords() const { return identRecords_; }
    const RangeSequencer& rangeSequencer() const { return sequencer_; }

    // Shows one modal message through the seam; true while one is open.
    void showMessage(const QString& text);
    bool messageOpen() const { return messageDepth_ > 0; }

    // Runs a handler so that an error escaping it is reported and the program goes on.
    void guarded(const std::function<void()>& handler);

    // Replies another window of this program waits for (the fleet window's requests): each
    // is still counted and its sender shown, but it fills the other window and not the
    // read-back group.
    // A board this window sent a command to in the last OwnAnswerMs is answering this window.
    using AwaitedElsewhere = std::function<bool(quint32 sender, const QByteArray& datagram)>;
    void setAwaitedElsewhere(AwaitedElsewhere awaited) { awaitedElsewhere_ = std::move(awaited); }
    static constexpr int OwnAnswerMs = 3000;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The window is placed to fit the screen as it is shown, and once more when the window
    // manager's frame around it is known.
    void moveEvent(QMoveEvent* event) override;

  private:
    // app/: building the controls (build_*.cpp), binding them, naming them
    void buildControls();
    QWidget* buildTopBand();
    QWidget* buildWriteGroup();
    QWidget* buildReadBackGroup();
    QWidget* buildRangeGroup();
    void levelCommandBlocks();
    void nameForScreenReaders();
    void bindHandlers();
    void openListenerAtStart();
    void fitOnScreen();
    // replies/receive.cpp and readback_display.cpp: a batch handled, then shown once
    void receiveBatch(const QList<Datagram>& datagrams);
    bool awaitedElsewhere(const QByteArray& datagram, quint32 sender) const;
    void startReceived();
    void showReceived();
    // The editor of ReceivedView::addresses[position]: the octets of ED_6, ED_7, ED_8, ED_9.
    NumberEdit* readBackOctet(size_t position) const;
    // ui/editor_keys.cpp
    void bindEditorKeys();
    void moveToNextOctet(QObject* sender, QChar& key);
    // range/ident_mode.cpp: the list, the records and the log kept by the receive handler
    void identBookkeeping(int ident, quint32 sender, quint16 senderPort);
    void copyRecordToEditors(const IdentRecord& record);
    void appendLog(const QString& line);
    void flushLog();

    WindowOptions options_;
    std::unique_ptr<Link> ownedLink_;
    Link* link_ = nullptr;
    std::unique_ptr<Messages> ownedMessages_;
    Messages* messages_ = nullptr;
    int messageDepth_ = 0;
    bool closed_ = false; // the close handler has run: nothing is sent any more
    bool shown_ = false;
    bool framed_ = false; // placed again once the frame around it was known

    QString clientHost_ = QStringLiteral("1");
    quint16 clientPort_ = 8024;

    QStringList rememberedAddress_; // Lab_IP1 shortcut
    QStringList savedAddress_;      // set aside by identifier mode
    IdentRecords identRecords_;
    RangeSequencer sequencer_;
    bool lookupRunning_ = false;
    QStringList pendingLog_;
    bool logFlushQueued_ = false;
    SettingsLocation settingsLocation_;
    ReceivedView received_;              // what the datagrams being handled will show
    bool readBackStaged_ = false;        // a read's emptying of the group is still to be shown
    QTimer* readBackEmptying_ = nullptr; // shows it when no datagram has come within a frame
    int batchDepth_ = 0;
    QList<QList<Datagram>> laterBatches_; // arrived while a batch was being handled
    AwaitedElsewhere awaitedElsewhere_;
    quint32 askedBoard_ = 0; // the last board a command frame went to, and when
    QElapsedTimer askedAt_;
    Memory askedMemory_ = Memory::Unknown; // of the last read sent
    Journal journal_;
    QHash<BoardAddress, BoardConfig> permanentSeen_; // each board's permanent memory as last read here
    struct JournaledWrite {
        QString id, job; // the write's, and its job of one board
        BoardAddress board;
        QByteArray frame;
    } journaled_; // the last write, until its read-back
};

} // namespace talvik
