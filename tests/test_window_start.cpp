// The window as the operator first sees it: every control by name, with its kind,
// caption, visibility and enabled state.

#include "app/texts.h"
#include "ui/mac_edit.h"
#include "ui/number_edit.h"
#include "window_fixture.h"

#include <QtTest>

using namespace talvik;
using namespace talvik::test;

class TestWindowStart : public QObject {
    Q_OBJECT

    static QString textOf(QWidget* w)
    {
        if (auto* n = qobject_cast<NumberEdit*>(w))
            return n->formattedText();
        if (auto* e = qobject_cast<QLineEdit*>(w))
            return e->text();
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w))
            return g->title();
        if (auto* p = qobject_cast<QPlainTextEdit*>(w))
            return p->toPlainText();
        if (auto* c = qobject_cast<QComboBox*>(w))
            return QString::number(c->count());
        return QString();
    }

  private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        auto row = [](const char* name, const char* kind, const QString& text, bool visible, bool enabled) {
            QTest::newRow(name) << QString(name) << QString(kind) << text << visible << enabled;
        };
        row("GroupBox6", "QGroupBox", "  IP - Плати що конфігуруеться  ", true, true);
        row("Lab_IP1", "talvik::ClickableLabel", "010.000.000.002", true, true);
        row("Lab_IP2", "talvik::ClickableLabel", QString(29, '-'), true, true);
        row("Ed_0_IP_0", "talvik::NumberEdit", "000", true, true);
        row("Ed_0_IP_3", "talvik::NumberEdit", "000", true, true);
        row("Button3", "QPushButton", "Reboot", true, true);
        row("EditRs", "QLineEdit", "__", true, true);
        row("LabIn", "QLabel", "0", true, true);
        row("LabIdent", "QLabel", "0", true, true);
        row("Label_In_IP", "QLabel", "", true, true);
        row("Label_In_Port", "QLabel", "", true, true);
        row("Label5", "QLabel", "", true, true);
        row("GroupBox7", "QGroupBox", "http://checkip.dyndns.org/", true, true);
        row("Edit1", "QLineEdit", "000.000.000.000", true, true);
        row("BitBtn1", "QPushButton", "&Retry", true, true);
        row("Button7", "QPushButton", "<-", true, true);
        row("CheckBox1", "QCheckBox", "Перезапуск масиву", false, false);
        row("GroupBox3", "QGroupBox", "", false, true);
        row("Ch_Box_Conf_IP", "QCheckBox", "Конфігурування по Ідентифікатору", false, false);
        row("Lab_Iden", "QLabel", "Ідентифікатор", false, true);
        row("CoBox_Iden", "QComboBox", "0", false, true);
        row("Pan_Port", "QFrame", "", false, true);
        row("CurEd_Port", "talvik::NumberEdit", "8026", false, true);
        row("Lab_Port", "QLabel", "Port", false, true);
        row("Memo1", "QPlainTextEdit", "", false, true);
        row("Panel5", "talvik::PanelButton", "Stop", false, true);
        row("Button1", "QPushButton", "Записати", true, true);
        row("Panel3", "QFrame", "", false, false);
        row("Str_NL_W", "talvik::NumberEdit", "000", false, false);
        row("Label55", "QLabel", "№ луча\n(мережевий)", false, false);
        row("Label4", "QLabel", "IP - Ліфта", true, true);
        row("Label3", "QLabel", "MASK", true, true);
        row("Label2", "QLabel", "ROUTER", true, true);
        row("Label1", "QLabel", "MAC", true, true);
        row("Ed_2_IP_0", "talvik::NumberEdit", "000", true, true);
        row("Ed_5_IP_0", "talvik::MacEdit", "00", true, true);
        row("Ed_5_IP_1", "talvik::MacEdit", "1E", true, true);
        row("Ed_5_IP_2", "talvik::MacEdit", "00", true, true);
        row("Ed_5_IP_5", "talvik::MacEdit", "00", true, true);
        row("Button5", "QPushButton", "IP --> MAC", true, true);
        row("GroupBox4", "QGroupBox", "Тип IP адреси", true, true);
        row("CheckBox4", "QCheckBox", "Статична IP адреса Плати ", true, true);
        row("CheckBox2", "QCheckBox", "Статична IP адреса Пульта", true, true);
        row("ED_1", "talvik::AddressRow", "", false, false);
        row("Label6", "QLabel", "IP - Комп'ютера диспетч.", false, true);
        row("IND_MEdit", "talvik::NumberEdit", "0", false, false);
        row("Label57", "QLabel", texts::IdentifierLabel, false, true);
        row("ED_11", "talvik::AddressRow", "", false, false);
        row("Label63", "QLabel", "IP - Резервний №1", false, false);
        row("ED_12", "talvik::AddressRow", "", false, false);
        row("Label68", "QLabel", "IP - Резервний №2", false, false);
        row("Label59", "QLabel", "постійна памьять", true, true);
        row("Button2", "QPushButton", "Прочитати", true, true);
        row("Label49", "QLabel", "робоча конфігурація", true, true);
        row("Button8", "QPushButton", "Прочитати", true, true);
        row("Panel4", "QFrame", "", false, false);
        row("Str_NL_R", "talvik::MacEdit", "000", false, false);
        row("Label56", "QLabel", "№ луча\n(мережевий)", false, false);
        row("ED_7", "talvik::AddressRow", "", true, false);
        row("Ed_7_IP_0", "talvik::NumberEdit", "000", true, false);
        row("ED_8", "talvik::AddressRow", "", true, false);
        row("ED_9", "talvik::AddressRow", "", true, false);
        row("ED_10", "talvik::MacRow", "", true, false);
        row("Ed_10_IP_0", "talvik::MacEdit", "AF", true, false);
        row("Ed_10_IP_5", "talvik::MacEdit", "AF", true, false);
        row("Label10", "QLabel", "IP - Ліфта", true, true);
        row("Label7", "QLabel", "MAC", true, true);
        row("Lab_Ver", "QLabel", QString(13, '-'), true, true);
        row("GroupBox5", "QGroupBox", "Тип IP адреси", true, true);
        row("CheckBox5", "QCheckBox", "Статична IP адреса Плати ( DHCP )", false, false);
        row("CheckBox3", "QCheckBox", "Статична IP адреса Пульта", false, false);
        row("Label11", "QLabel", "IP - Комп'ютера диспетч.", false, true);
        row("ED_6", "talvik::AddressRow", "", false, false);
        row("Label58", "QLabel", texts::IdentifierLabel, false, true);
        row("CurrencyEdit1", "talvik::NumberEdit", "0", false, false);
        row("ED_61", "talvik::AddressRow", "", false, false);
        row("Label64", "QLabel", "IP - Резервний №1", false, true);
        row("ED_62", "talvik::AddressRow", "", false, true);
        row("Label76", "QLabel", "IP - Резервний №2", false, true);
        row("Label53", "QLabel", "IP - першої плати", false, true);
        row("EdR_0_IP_0", "talvik::NumberEdit", "000", false, true);
        row("Label54", "QLabel", "кількість плат", false, true);
        row("EdR1_0_IP_0", "talvik::NumberEdit", "000", false, true);
        row("Button4", "QPushButton", "Reboot START", false, true);
        row("Button6", "QPushButton", "Reboot STOP", false, true);
        row("ProgressBar1", "QProgressBar", "", false, true);
        row("Edit2", "QLineEdit", "", false, true);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        WindowFixture f;
        auto* w = f.window->findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(QString(w->metaObject()->className()), kind);
        QCOMPARE(textOf(w), text);
        QCOMPARE(w->isVisibleTo(f.window.get()), visible);
        QCOMPARE(w->isEnabledTo(f.window.get()) && w->isEnabled(), enabled);
    }

    void windowAndTimers()
    {
        WindowFixture f;
        auto& w = *f.window;
        QCOMPARE(w.objectName(), QString("Form1_Config_UDP"));
        QCOMPARE(w.windowTitle(), QString::fromUtf8("Конфігуратор плат \"ТАЛВІКОР\" 2025-V_8.5"));
        QCOMPARE(w.Timer2_Conf->interval(), 30);
        QCOMPARE(w.TimerRead_Conf->interval(), 1000);
        QVERIFY(!w.Timer2_Conf->isActive());
        QVERIFY(!w.TimerRead_Conf->isActive());
        QCOMPARE(w.Button2->property("Tag").toInt(), 0);
        QCOMPARE(w.Button8->property("Tag").toInt(), 1);
        QVERIFY(w.CurEd_Port->isReadOnly());
        QVERIFY(w.Edit1->isReadOnly());
        QVERIFY(f.link.isListening());
        QVERIFY(f.messages.messages.isEmpty());
    }

    void takenPortIsReportedAndTheWindowStillOpens()
    {
        WindowFixture f(/*listenerTaken=*/true);
        QCOMPARE(f.messages.messages, QStringList{"Port 6767 ERROR"});
        QVERIFY(!f.link.isListening());
        QVERIFY(f.window->Button2->isEnabled());
    }

    void anErrorInAHandlerIsShownAndTheProgramGoesOn()
    {
        WindowFixture f;
        f.window->guarded([] { throw std::runtime_error("conversion failed"); });
        QCOMPARE(f.messages.errors, QStringList{"conversion failed"});
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.window->Button8->click();
        QCOMPARE(f.link.sent.size(), 3);
    }

    void theWindowSizesItselfToItsVisibleControls()
    {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QSize before = f.window->size();
        f.window->CheckBox1->setChecked(true); // shows the range group
        QTRY_VERIFY(f.window->size().height() > before.height());
    }

    void screenshot()
    {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QString dir = QStringLiteral(SCREENSHOT_DIR);
        QDir().mkpath(dir);
        QVERIFY(f.window->grab().save(dir + QStringLiteral("/main-window.png")));
    }
};

QTEST_MAIN(TestWindowStart)
#include "test_window_start.moc"
