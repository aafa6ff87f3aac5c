// The window as the operator first sees it: every control by name, with its kind,
// caption, visibility and enabled state.

#include "core/app/texts.h"
#include "core/widgets/mac_edit.h"
#include "core/widgets/number_edit.h"
#include "golden_replies.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QtTest>
#include <cmath>

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
        row("BitBtn1", "talvik::GlyphButton", "&Retry", true, true);
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
        WindowFixture f(WindowSetup().taken());
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

    // The board's configuration, the thing the operator came to read, stands out from
    // its field at least 4.5 to 1 (WCAG 2.1 AA), though the fields take no input.
    void theReadBackIsLegible()
    {
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(goldenReply(1)); // a dynamic console: its row and the identifier are shown
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const char* name : {"Ed_7_IP_0", "Ed_8_IP_3", "Ed_9_IP_1", "Ed_10_IP_0", "Ed_6_IP_0",
                                 "CurrencyEdit1", "CheckBox3", "CheckBox5"}) {
            auto* field = w.findChild<QWidget*>(name);
            QVERIFY(!field->isEnabled()); // still no focus and no input
            QRect area = field->rect().adjusted(3, 3, -3, -3);
            if (auto* box = qobject_cast<QCheckBox*>(field)) {
                QStyleOptionButton option;
                option.initFrom(box);
                area = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            }
            const double ratio = contrastOfText(field->grab(area).toImage());
            QVERIFY2(ratio >= 4.5, qPrintable(QString("%1: %2 to 1").arg(name).arg(ratio)));
        }
    }

    void rowsStandLevelWithTheRowsTheyMirror()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QList<QPair<QWidget*, QWidget*>> pairs{{w.ED_2, w.ED_7},           {w.ED_3, w.ED_8},
                                                     {w.ED_4, w.ED_9},           {w.ED_5, w.ED_10},
                                                     {w.GroupBox4, w.GroupBox5}, {w.Button1, w.Button2}};
        for (auto [written, read] : pairs)
            QCOMPARE(read->mapTo(&w, QPoint()).y(), written->mapTo(&w, QPoint()).y());
    }

    void iconAndGlyph()
    {
        WindowFixture f;
        auto& w = *f.window;
        QCOMPARE(opaquePixels(w.windowIcon().pixmap(16).toImage()) > 64, true); // drawn at 16 px
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage button = w.BitBtn1->grab().toImage();
        int green = 0, red = 0;
        for (int y = 0; y < button.height(); ++y)
            for (int x = 0; x < button.width(); ++x) {
                const QColor c = button.pixelColor(x, y);
                green += c.green() > 90 && c.red() < 80 && c.blue() < 80;
                red += c.red() > 150 && c.green() < 90;
            }
        QVERIFY2(green >= 20, "the retry glyph is drawn");
        QCOMPARE(red, 0); // and no clipped caption beside it
        QCOMPARE(w.BitBtn1->text(), QString("&Retry"));
        QVERIFY(!w.BitBtn1->toolTip().isEmpty());
    }

    void everyFieldSaysWhatItIs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("heard");
        QTest::newRow("board address") << "Ed_0_IP_0"
                                       << "IP - Плати що конфігуруеться, 1";
        QTest::newRow("write row") << "Ed_2_IP_3"
                                   << "IP - Ліфта, 4";
        QTest::newRow("read-back row") << "Ed_7_IP_0"
                                       << "IP - Ліфта (прочитано), 1";
        QTest::newRow("MAC") << "Ed_5_IP_5"
                             << "MAC, 6";
        QTest::newRow("identifier") << "IND_MEdit"
                                    << "Ідентифікатор плати (номер луча пристрою зв'язку)";
        QTest::newRow("counter") << "LabIn"
                                 << "Отримано датаграм";
        QTest::newRow("button") << "BitBtn1"
                                << "Retry";
    }
    void everyFieldSaysWhatItIs()
    {
        QFETCH(QString, name);
        QFETCH(QString, heard);
        WindowFixture f;
        const auto heardFor = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        QCOMPARE(heardFor(f.window->findChild<QWidget*>(name)), heard);
        for (QLineEdit* editor : f.window->findChildren<QLineEdit*>()) {
            const QString said = heardFor(editor);
            QVERIFY2(said.contains(QRegularExpression("[^0-9 ]{3}")),
                     qPrintable(editor->objectName() + " says \"" + said + "\""));
        }
    }

  private:
    static double luminance(const QColor& c)
    {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    }
    // The darkest pixel (the text's core) against the commonest one (the field).
    static double contrastOfText(const QImage& image)
    {
        QHash<QRgb, int> counts;
        QColor darkest = Qt::white;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                ++counts[c.rgb()];
                if (luminance(c) < luminance(darkest))
                    darkest = c;
            }
        QRgb background = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > counts.value(background))
                background = it.key();
        const double a = luminance(QColor(background)), b = luminance(darkest);
        return (qMax(a, b) + 0.05) / (qMin(a, b) + 0.05);
    }
    static int opaquePixels(const QImage& image)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += qAlpha(image.pixel(x, y)) > 128;
        return n;
    }
};

QTEST_MAIN(TestWindowStart)
#include "test_window_start.moc"
