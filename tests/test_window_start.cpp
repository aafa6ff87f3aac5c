// The window as the operator first sees it: every control by name, shown or hidden,
// usable or not; the editors' values, the title, the layout, the icon and what a screen
// reader says.

#include "golden_replies.h"
#include "gui/app/placement.h"
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

  private slots:
    // Which controls the operator sees and can use as the window opens (the captions are
    // test_texts' rows).
    void controls_data()
    {
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        auto row = [](const char* name, bool visible, bool enabled) {
            QTest::newRow(name) << visible << enabled;
        };
        row("GroupBox6", true, true);
        row("Lab_IP1", true, true);
        row("Lab_IP2", true, true);
        row("Ed_0_IP_0", true, true);
        row("Ed_0_IP_3", true, true);
        row("Button3", true, true);
        row("EditRs", true, true);
        row("LabIn", true, true);
        row("LabIdent", true, true);
        row("Label_In_IP", true, true);
        row("Label_In_Port", true, true);
        row("Label5", true, true);
        row("GroupBox7", true, true);
        row("Edit1", true, true);
        row("BitBtn1", true, true);
        row("Button7", true, true);
        row("CheckBox1", false, false);
        row("GroupBox3", false, true);
        row("Ch_Box_Conf_IP", false, false);
        row("Lab_Iden", false, true);
        row("CoBox_Iden", false, true);
        row("Pan_Port", false, true);
        row("CurEd_Port", false, true);
        row("Lab_Port", false, true);
        row("Memo1", false, true);
        row("Panel5", false, true);
        row("Button1", true, true);
        row("Panel3", false, false);
        row("Str_NL_W", false, false);
        row("Label55", false, false);
        row("Label4", true, true);
        row("Label3", true, true);
        row("Label2", true, true);
        row("Label1", true, true);
        row("Ed_2_IP_0", true, true);
        row("Ed_5_IP_0", true, true);
        row("Ed_5_IP_1", true, true);
        row("Ed_5_IP_2", true, true);
        row("Ed_5_IP_5", true, true);
        row("Button5", true, true);
        row("GroupBox4", true, true);
        row("CheckBox4", true, true);
        row("CheckBox2", true, true);
        row("ED_1", false, false);
        row("Label6", false, true);
        row("IND_MEdit", false, false);
        row("Label57", false, true);
        row("ED_11", false, false);
        row("Label63", false, false);
        row("ED_12", false, false);
        row("Label68", false, false);
        row("Label59", true, true);
        row("Button2", true, true);
        row("Label49", true, true);
        row("Button8", true, true);
        row("Panel4", false, false);
        row("Str_NL_R", false, false);
        row("Label56", false, false);
        row("ED_7", true, false);
        row("Ed_7_IP_0", true, false);
        row("ED_8", true, false);
        row("ED_9", true, false);
        row("ED_10", true, false);
        row("Ed_10_IP_0", true, false);
        row("Ed_10_IP_5", true, false);
        row("Label10", true, true);
        row("Label7", true, true);
        row("Lab_Ver", true, true);
        row("GroupBox5", true, true);
        row("CheckBox5", false, false);
        row("CheckBox3", false, false);
        row("Label11", false, true);
        row("ED_6", false, false);
        row("Label58", false, true);
        row("CurrencyEdit1", false, false);
        row("ED_61", false, false);
        row("Label64", false, true);
        row("ED_62", false, true);
        row("Label76", false, true);
        row("Label53", false, true);
        row("EdR_0_IP_0", false, true);
        row("Label54", false, true);
        row("EdR1_0_IP_0", false, true);
        row("Button4", false, true);
        row("Button6", false, true);
        row("ProgressBar1", false, true);
        row("Edit2", false, true);
    }
    void controls()
    {
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        WindowFixture f;
        auto* w = f.window->findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->isVisibleTo(f.window.get()), visible);
        QCOMPARE(w->isEnabledTo(f.window.get()) && w->isEnabled(), enabled);
    }

    // The values the editors show as the window opens without a settings file.
    void startValues_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::newRow("Ed_0_IP_0") << QString("000");
        QTest::newRow("Ed_0_IP_3") << QString("000");
        QTest::newRow("CurEd_Port") << QString("8026");
        QTest::newRow("Str_NL_W") << QString("000");
        QTest::newRow("Ed_2_IP_0") << QString("000");
        QTest::newRow("Ed_5_IP_0") << QString("00");
        QTest::newRow("Ed_5_IP_1") << QString("1E");
        QTest::newRow("Ed_5_IP_2") << QString("00");
        QTest::newRow("Ed_5_IP_5") << QString("00");
        QTest::newRow("IND_MEdit") << QString("0");
        QTest::newRow("Str_NL_R") << QString("000");
        QTest::newRow("Ed_7_IP_0") << QString("000");
        QTest::newRow("Ed_10_IP_0") << QString("AF");
        QTest::newRow("Ed_10_IP_5") << QString("AF");
        QTest::newRow("CurrencyEdit1") << QString("0");
        QTest::newRow("EdR_0_IP_0") << QString("000");
        QTest::newRow("EdR1_0_IP_0") << QString("000");
    }
    void startValues()
    {
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QFETCH(QString, shown);
        WindowFixture f;
        auto* editor = f.window->findChild<QLineEdit*>(name);
        QVERIFY2(editor, qPrintable(name));
        QCOMPARE(editor->text(), shown);
    }

    // The designed position where the window fits the screen; else moved just enough, and
    // never past the top-left corner. The frame includes the title bar.
    void placement_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("placed");
        const QRect designed(393, 137, 799, 677);
        QTest::newRow("it fits: where it was designed")
            << QRect(0, 0, 1280, 1024) << designed << QPoint(393, 137);
        QTest::newRow("1024 x 768: just enough") << QRect(0, 0, 1024, 768) << designed << QPoint(225, 91);
        QTest::newRow("a panel at the top and left")
            << QRect(40, 30, 984, 738) << designed << QPoint(225, 91);
        QTest::newRow("a screen smaller than the window: its top-left corner")
            << QRect(0, 0, 640, 480) << designed << QPoint(0, 0);
        QTest::newRow("a second screen to the right")
            << QRect(1280, 0, 1024, 768) << designed << QPoint(1280, 91);
    }
    void placement()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, frame);
        QFETCH(QPoint, placed);
        QCOMPARE(placedOnScreen(frame, available), placed);
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
        QVERIFY(f.messages.messages.isEmpty()); // first it waits for the port a moment
        QTRY_COMPARE_WITH_TIMEOUT(f.messages.messages, QStringList{"Port 6767 ERROR"}, 5000);
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

    // What a screen reader says: an editor its row and place, a value label the value it
    // shows (and what it is, in its description), a button what it does.
    void everyFieldSaysWhatItIs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<QString>("described");
        QTest::newRow("board address") << "Ed_0_IP_0"
                                       << "IP - Плати що конфігуруеться, 1"
                                       << "";
        QTest::newRow("write row") << "Ed_2_IP_3"
                                   << "IP - Ліфта, 4"
                                   << "";
        QTest::newRow("read-back row") << "Ed_7_IP_0"
                                       << "IP - Ліфта (прочитано), 1"
                                       << "";
        QTest::newRow("MAC") << "Ed_5_IP_5"
                             << "MAC, 6"
                             << "";
        QTest::newRow("identifier") << "IND_MEdit"
                                    << "Ідентифікатор плати (номер луча пристрою зв'язку)"
                                    << "";
        QTest::newRow("counter") << "LabIn"
                                 << "0"
                                 << "Отримано датаграм";
        QTest::newRow("version") << "Lab_Ver" << QString(13, '-') << "Версія програми плати";
        QTest::newRow("permanent memory") << "Button2"
                                          << "Прочитати: постійна памьять"
                                          << "";
        QTest::newRow("working configuration") << "Button8"
                                               << "Прочитати: робоча конфігурація"
                                               << "";
        QTest::newRow("lookup") << "BitBtn1"
                                << "Дізнатися зовнішню IP-адресу"
                                << "Дізнатися зовнішню IP-адресу цього комп'ютера";
    }
    void everyFieldSaysWhatItIs()
    {
        QFETCH(QString, name);
        QFETCH(QString, heard);
        QFETCH(QString, described);
        WindowFixture f;
        const auto said = [](QWidget* w, QAccessible::Text what) {
            return QAccessible::queryAccessibleInterface(w)->text(what);
        };
        QWidget* field = f.window->findChild<QWidget*>(name);
        QCOMPARE(said(field, QAccessible::Name), heard);
        QCOMPARE(said(field, QAccessible::Description), described);
        for (QLineEdit* editor : f.window->findChildren<QLineEdit*>()) {
            const QString name = said(editor, QAccessible::Name);
            QVERIFY2(name.contains(QRegularExpression("[^0-9 ]{3}")),
                     qPrintable(editor->objectName() + " says \"" + name + "\""));
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
