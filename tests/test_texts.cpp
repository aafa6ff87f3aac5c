// Every text the window shows, read off the window (the caption of a control, or the
// text that an action brings up) and held against its literal as operators know it. A
// one-letter slip in the window's texts fails its row here. Then the same window in
// English, and the English translation itself: every text of both windows translated.

#include "catalogue.h"
#include "fleet/fleet_wording.h"
#include "golden_replies.h"
#include "gui/app/language.h"
#include "shown_texts.h"
#include "window_fixture.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
// "%1", "%v", "\n" and the blanks at either end: what a text's callers put together.
QStringList joints(const QString& text)
{
    QStringList out;
    for (const auto& m : QRegularExpression(QStringLiteral("%[0-9vmn]")).globalMatch(text))
        out << m.captured();
    out.sort();
    out << QString::number(text.count(u'\n')) << QString::number(text.startsWith(u' '))
        << QString::number(text.endsWith(u' '));
    return out;
}

// What the configurator shows after an action (or as the caption of a control), and its literal.
QList<QPair<QString, QString>> windowTexts()
{
    QList<QPair<QString, QString>> rows;
    const auto row = [&](const char* shown, const char* literal) {
        rows.append({QString::fromUtf8(shown), QString::fromUtf8(literal)});
    };
    row("the window's title", "Конфігуратор плат \"ТАЛВІКОР\" 2025-V_8.5");
    row("the application's title, on its message boxes", "Конфігуратор V-8.5");
    // Captions as the window opens.
    row("GroupBox6", "  IP - Плати що конфігуруеться  ");
    row("Lab_IP1", "010.000.000.002");
    row("Lab_IP2", "-----------------------------");
    row("Button3", "Reboot");
    row("EditRs", "__");
    row("LabIn", "0");
    row("LabIdent", "0");
    row("GroupBox7", "http://checkip.dyndns.org/");
    row("Edit1", "000.000.000.000");
    row("BitBtn1", "&Retry");
    row("Button7", "<-");
    row("CheckBox1", "Перезапуск масиву");
    row("Ch_Box_Conf_IP", "Конфігурування по Ідентифікатору");
    row("Lab_Iden", "Ідентифікатор");
    row("Lab_Port", "Port");
    row("Panel5", "Stop");
    row("Button1", "Записати");
    row("Label55", "№ луча\n(мережевий)");
    row("Label4", "IP - Ліфта");
    row("Label3", "MASK");
    row("Label2", "ROUTER");
    row("Label1", "MAC");
    row("Button5", "IP --> MAC");
    row("GroupBox4", "Тип IP адреси");
    row("CheckBox4", "Статична IP адреса Плати ");
    row("CheckBox2", "Статична IP адреса Пульта");
    row("Label6", "IP - Комп'ютера диспетч.");
    row("Label57", "Ідентифікатор плати\n(номер луча\nпристрою зв'язку)");
    row("Label63", "IP - Резервний №1");
    row("Label68", "IP - Резервний №2");
    row("Label59", "постійна памьять");
    row("Button2", "Прочитати");
    row("Label49", "робоча конфігурація");
    row("Button8", "Прочитати");
    row("Label56", "№ луча\n(мережевий)");
    row("Label10", "IP - Ліфта");
    row("Label9", "MASK");
    row("Label8", "ROUTER");
    row("Label7", "MAC");
    row("Lab_Ver", "-------------");
    row("GroupBox5", "Тип IP адреси");
    row("CheckBox5", "Статична IP адреса Плати ( DHCP )");
    row("CheckBox3", "Статична IP адреса Пульта");
    row("Label11", "IP - Комп'ютера диспетч.");
    row("Label58", "Ідентифікатор плати\n(номер луча\nпристрою зв'язку)");
    row("Label64", "IP - Резервний №1");
    row("Label76", "IP - Резервний №2");
    row("Label53", "IP - першої плати");
    row("Label54", "кількість плат");
    row("Button4", "Reboot START");
    row("Button6", "Reboot STOP");
    // Texts that follow a state or an event.
    row("CheckBox2 ticked", "Динамічна IP адреса Пульта");
    row("CheckBox4 ticked", "Динамічна IP адреса Плати ( DHCP )");
    row("CheckBox4 ticked, then not", "Статична IP адреса Плати");
    row("a reply with version 2.17", "2.17 - Версія программи");
    row("a reply of a static board and console: CheckBox5, CheckBox3",
        "Статична IP адреса Плати |Статична IP адреса Пульта");
    row("a reply of a DHCP board: CheckBox5, CheckBox3",
        "Динамічна IP адреса Плати ( DHCP )|Динамічна IP адреса Пульта");
    row("a reboot, then its acknowledgement", "__|Ok");
    row("Panel5 clicked twice", "Stop|Pusk");
    row("an identifier in identifier mode: the log line", "Ind - 258 * IP - 127.0.0.9 * Port - 8026");
    // Messages.
    row("a read of board 000.000.000.000", "IP - Плати що конфігуруеться = 000.000.000.000");
    row("a range of boards from 000.000.000.000", "IP - Плати що перезавантажуется = 000.000.000.000");
    row("a close with a read-only settings file", "Не вдалося записати файл налаштувань FILE\nВін "
                                                  "позначений лише для читання і залишився без змін.");
    return rows;
}

QString caption(QWidget* w)
{
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return QStringLiteral("(no caption)");
}

// What the window shows after `action`, or the caption of the control of that name.
QString shownAfter(const QString& action, WindowFixture& f)
{
    auto& w = *f.window;
    const auto lastMessage = [&] { return f.messages.messages.value(f.messages.messages.size() - 1); };
    if (action == "the window's title")
        return w.windowTitle();
    if (action == "the application's title, on its message boxes")
        return text("Конфігуратор V-8.5"); // shown by a real dialog, which no test opens
    if (action == "a read of board 000.000.000.000") {
        w.Button8->click();
        return lastMessage();
    }
    if (action == "a range of boards from 000.000.000.000") {
        w.Button4->click();
        w.Timer2_ConfTimer(w.Timer2_Conf);
        return lastMessage();
    }
    if (action == "a reply with version 2.17") {
        f.link.deliver(goldenReply(2, "2.17#"));
        return w.Lab_Ver->text();
    }
    if (action == "CheckBox2 ticked") {
        w.CheckBox2->setChecked(true);
        return w.CheckBox2->text();
    }
    if (action == "CheckBox4 ticked") {
        w.CheckBox4->setChecked(true);
        return w.CheckBox4->text();
    }
    if (action == "CheckBox4 ticked, then not") {
        w.CheckBox4->setChecked(true);
        w.CheckBox4->setChecked(false);
        return w.CheckBox4->text();
    }
    if (action == "a reply of a static board and console: CheckBox5, CheckBox3") {
        f.link.deliver(goldenReply(0, "2.17#", 0));
        return w.CheckBox5->text() + '|' + w.CheckBox3->text();
    }
    if (action == "a reply of a DHCP board: CheckBox5, CheckBox3") {
        f.link.deliver(goldenReply(2, "2.17#", '1'));
        return w.CheckBox5->text() + '|' + w.CheckBox3->text();
    }
    if (action == "a reboot, then its acknowledgement") {
        setAddress(w.Ed_0, "127.0.0.2");
        w.Button3->click();
        const QString pending = w.EditRs->text();
        f.link.deliver(QByteArray("rzt") + QByteArray(22, '0') + "iden12");
        return pending + '|' + w.EditRs->text();
    }
    if (action == "Panel5 clicked twice") {
        w.Panel5Click(w.Panel5);
        const QString first = w.Panel5->text();
        w.Panel5Click(w.Panel5);
        return first + '|' + w.Panel5->text();
    }
    if (action == "an identifier in identifier mode: the log line") {
        w.Ch_Box_Conf_IP->setChecked(true);
        f.link.deliver("report iden\x02\x01", "127.0.0.9", 8026);
        QCoreApplication::processEvents();
        return w.Memo1->toPlainText().section(QStringLiteral(" - Tim - "), 0, 0);
    }
    if (action == "a close with a read-only settings file") {
        setAddress(w.Ed_0, "127.0.0.5");
        QFile::setPermissions(f.dir.filePath("TalvikCom.ini"), QFile::ReadOwner);
        f.close();
        return lastMessage().replace(f.dir.filePath("TalvikCom.ini"), QStringLiteral("FILE"));
    }
    return caption(w.findChild<QWidget*>(action));
}
} // namespace

class TestTexts : public QObject {
    Q_OBJECT
  private slots:
    void everyTextTheWindowShows_data()
    {
        QTest::addColumn<QString>("literal");
        for (const auto& [shown, literal] : windowTexts())
            QTest::newRow(qPrintable(shown)) << literal;
    }
    void everyTextTheWindowShows()
    {
        QFETCH(QString, literal);
        WindowFixture f;
        QCOMPARE(shownAfter(QString::fromUtf8(QTest::currentDataTag()), f), literal);
    }

    // Every caption's letters are in the font the window draws it with, so none is drawn
    // as a box; under Wine too (scripts/windows.sh runs this there).
    void everyCaptionHasItsGlyphs()
    {
        WindowFixture f;
        int letters = 0;
        for (QWidget* w : f.window->findChildren<QWidget*>()) {
            const QString text = caption(w);
            const QFontMetrics metrics(w->font());
            for (const QChar c : text)
                if (!c.isSpace() && c != u'&') {
                    ++letters;
                    QVERIFY2(metrics.inFont(c), qPrintable(QStringLiteral("%1: no glyph for '%2' in %3")
                                                               .arg(w->objectName(), QString(c),
                                                                    QFontInfo(w->font()).family())));
                }
        }
        QVERIFY(letters > 500);
    }

    // In English the same actions show no Cyrillic, and the terms technicians know.
    void inEnglish_data() { everyTextTheWindowShows_data(); }
    void inEnglish()
    {
        QFETCH(QString, literal);
        SpokenLanguage english(Language::English);
        WindowFixture f;
        const QString shown = shownAfter(QString::fromUtf8(QTest::currentDataTag()), f);
        QVERIFY2(!hasCyrillic(shown), qPrintable(shown));
        QVERIFY(hasCyrillic(literal) ? shown != literal : !shown.isEmpty() || literal.isEmpty());
    }
    void establishedTerms_data()
    {
        QTest::addColumn<QString>("english");
        for (const auto& [control, english] :
             {std::pair{"Button1", "Write"},
              {"Button2", "Read"},
              {"Button8", "Read"},
              {"Button3", "Reboot"},
              {"Label59", "Permanent memory"},
              {"Label49", "Working configuration"},
              {"Label3", "Subnet mask"},
              {"Label2", "Gateway"},
              {"the window's title", "Board configurator \"TALVIKOR\" 2025-V_8.5"}})
            QTest::newRow(control) << english;
    }
    void establishedTerms()
    {
        QFETCH(QString, english);
        SpokenLanguage speaking(Language::English);
        WindowFixture f;
        QCOMPARE(shownAfter(QString::fromUtf8(QTest::currentDataTag()), f), english);
    }

    // Every text of the window, in every state a reply sets, whole and in one language.
    void wholeWindow_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("Ukrainian") << Language::Ukrainian;
        QTest::newRow("English") << Language::English;
    }
    void wholeWindow()
    {
        QFETCH(Language, language);
        SpokenLanguage speaking(language);
        WindowFixture f;
        f.window->show();
        for (const bool dhcp : {false, true}) {
            f.window->CheckBox2->setChecked(dhcp);
            f.window->CheckBox4->setChecked(dhcp);
            f.link.deliver(goldenReply(2, "2.17#", dhcp ? '1' : 0));
            QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
            const QStringList clipped = clippedCaptions(f.window.get());
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
            if (language == Language::English) {
                const QStringList cyrillic = cyrillicTexts(f.window.get());
                QVERIFY2(cyrillic.isEmpty(), qPrintable(cyrillic.join(u'\n')));
            }
        }
        QVERIFY(textsOf(f.window.get()).size() > 100);
        // It grows with its texts: on a 1024 x 768 screen, under a title bar.
        QVERIFY2(fitsSmallScreen(f.window.get()), qPrintable(QString::number(f.window->width())));
    }

    // The context menu's language: remembered for the next start, and the operator told so.
    void languageMenu_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("saved") << true;
        QTest::newRow("a read-only settings file") << false;
    }
    void languageMenu()
    {
        QFETCH(bool, writable);
        WindowFixture f;
        const QString ini = f.dir.filePath("TalvikCom.ini");
        QFile(ini).open(QIODevice::WriteOnly);
        if (!writable)
            QFile::setPermissions(ini, QFile::ReadOwner);
        QAction* item = f.window->actions().value(0);
        QVERIFY(item && item->menu());
        QCOMPARE(item->text(), QString("Мова · Language"));
        const QList<QAction*> choices = item->menu()->actions();
        QCOMPARE(choices.size(), 2);
        QVERIFY(choices[0]->isChecked());
        choices[1]->trigger();
        QCOMPARE(storedLanguage(f.window->settingsLocation()),
                 writable ? Language::English : Language::Ukrainian);
        QCOMPARE(f.messages.messages.value(0).section(u'\n', 0, 0),
                 writable ? QString("Мову буде змінено з наступного запуску програми.")
                          : "Не вдалося записати файл налаштувань " + ini);
        QCOMPARE(installedLanguage(), Language::Ukrainian); // this start stays as it began
    }

    // The translations are whole: every text of both windows has its English, put together as
    // the Ukrainian is; every counted text has each form of both languages (English two,
    // Ukrainian three); and the translations built into the program are these files.
    void translationIsComplete_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QList<int>>("counts"); // one count of each plural form, in order
        QTest::newRow("English") << "talvikcom_en.ts" << Language::English << QList<int>{1, 5};
        QTest::newRow("Ukrainian") << "talvikcom_uk.ts" << Language::Ukrainian << QList<int>{1, 2, 5};
    }
    void translationIsComplete()
    {
        QFETCH(QString, file);
        QFETCH(Language, language);
        QFETCH(QList<int>, counts);
        const QList<Message> messages = catalogue(file);
        int counted = 0;
        SpokenLanguage speaking(language);
        for (const Message& m : messages) {
            const QString what = file + ": " + m.context + ": " + m.source;
            if (m.type == QLatin1String("vanished") || m.type == QLatin1String("obsolete"))
                continue; // kept for the translators, no longer shown
            QVERIFY2(m.type.isEmpty(), qPrintable(what + " is " + m.type));
            QCOMPARE(m.forms.size(), m.counts ? counts.size() : 1);
            counted += m.counts;
            const QByteArray context = m.context.toUtf8(), source = m.source.toUtf8(),
                             comment = m.comment.toUtf8();
            for (int form = 0; form < m.forms.size(); ++form) {
                const QString& text = m.forms[form];
                QVERIFY2(!text.isEmpty(), qPrintable(what));
                QVERIFY2(language == Language::Ukrainian || !hasCyrillic(text), qPrintable(what));
                QCOMPARE(joints(text), joints(m.source));
                const int n = m.counts ? counts[form] : -1;
                QCOMPARE(QCoreApplication::translate(context.constData(), source.constData(),
                                                     comment.isEmpty() ? nullptr : comment.constData(), n),
                         QString(text).replace(QLatin1String("%n"), QString::number(n)));
            }
        }
        QVERIFY(counted >= 10);
        QVERIFY(messages.size() > (language == Language::English ? 280 : counted - 1));
    }

    // Counted words as the operator reads them, in both languages.
    void countedWords_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("comparison");
        QTest::addColumn<QString>("network");
        const auto row = [](const char* name, Language l, int n, const char* comparison,
                            const char* network) {
            QTest::newRow(name) << l << n << QString(comparison) << QString(network);
        };
        row("uk 1", Language::Ukrainian, 1, "1 нова, 1 зникла, 1 змінена", "1 адреса: N");
        row("uk 2", Language::Ukrainian, 2, "2 нових, 2 зникли, 2 змінені", "2 адреси: N");
        row("uk 5", Language::Ukrainian, 5, "5 нових, 5 зникло, 5 змінених", "5 адрес: N");
        row("uk 11", Language::Ukrainian, 11, "11 нових, 11 зникло, 11 змінених", "11 адрес: N");
        row("uk 21", Language::Ukrainian, 21, "21 нова, 21 зникла, 21 змінена", "21 адреса: N");
        row("en 1", Language::English, 1, "1 new, 1 missing, 1 changed", "1 address: N");
        row("en 2", Language::English, 2, "2 new, 2 missing, 2 changed", "2 addresses: N");
        row("en 5", Language::English, 5, "5 new, 5 missing, 5 changed", "5 addresses: N");
        row("en 11", Language::English, 11, "11 new, 11 missing, 11 changed", "11 addresses: N");
        row("en 21", Language::English, 21, "21 new, 21 missing, 21 changed", "21 addresses: N");
    }
    void countedWords()
    {
        QFETCH(Language, language);
        QFETCH(int, n);
        QFETCH(QString, comparison);
        QFETCH(QString, network);
        SpokenLanguage speaking(language);
        QCOMPARE(fleet::comparisonText(n, n, n), comparison);
        QCOMPARE(QCoreApplication::translate("talvik::FleetWindow", "%n адрес: %1", nullptr, n).arg("N"),
                 network);
    }

    // Qt's own words speak the window's language too: the buttons of a question, of the
    // input of a name and the whole of the file dialog (Qt's, as on a machine without a
    // desktop's own).
    void qtsOwnWords_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("Ukrainian") << Language::Ukrainian << "Скасувати";
        QTest::newRow("English") << Language::English << "Cancel";
    }
    void qtsOwnWords()
    {
        QFETCH(Language, language);
        QFETCH(QString, cancel);
        SpokenLanguage speaking(language);
        QVERIFY(speaking.installed);
        QMessageBox box(QMessageBox::Question, "?", "?", QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), cancel);
        QInputDialog input;
        QFileDialog files(nullptr, {}, QDir::tempPath());
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setFileMode(QFileDialog::ExistingFiles);
        // Left alone: what the file system names (folders, dates in the system's format).
        const QStringList names =
            QDir::homePath().split('/') + QDir::tempPath().split('/') + QDir(QDir::tempPath()).entryList();
        const QRegularExpression date("^\\d{1,2} \\S+ \\d{4} \\d\\d:\\d\\d(:\\d\\d)?$");
        QStringList shown;
        for (QWidget* w :
             {static_cast<QWidget*>(&box), static_cast<QWidget*>(&input), static_cast<QWidget*>(&files)}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            for (const QString& text : textsOf(w)) {
                const bool other = language == Language::Ukrainian
                                       ? text.contains(QRegularExpression("[A-Za-z]{2}"))
                                       : hasCyrillic(text);
                if (other && !names.contains(text) && !text.startsWith('/') && !date.match(text).hasMatch())
                    shown << text;
            }
        }
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(" | ")));
    }

    void aTakenPortSaysSo()
    {
        WindowFixture f(WindowSetup().taken());
        QTRY_COMPARE_WITH_TIMEOUT(f.messages.messages, QStringList{"Port 6767 ERROR"}, 5000);
    }
};

QTEST_MAIN(TestTexts)
#include "test_texts.moc"
