// The octet and MAC editors under real key events.

#include "window_fixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

class TestEditors : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;
    TForm1_Config_UDP* w = nullptr;

    template <typename T> T* child(const char* name) { return w->findChild<T*>(QLatin1String(name)); }
    QWidget* focused() const { return QApplication::focusWidget(); }

  private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        w = f->window.get();
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void cleanup() { f.reset(); }

    void spaceAndEnterMoveToTheNextOctet_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("space in octet 0") << "Ed_2_IP_0" << int(Qt::Key_Space) << "Ed_2_IP_1";
        QTest::newRow("enter in octet 1") << "Ed_2_IP_1" << int(Qt::Key_Return) << "Ed_2_IP_2";
        QTest::newRow("space in octet 2") << "Ed_0_IP_2" << int(Qt::Key_Space) << "Ed_0_IP_3";
        QTest::newRow("octet 3 has no next") << "Ed_0_IP_3" << int(Qt::Key_Return) << "Ed_0_IP_3";
        QTest::newRow("mask row") << "Ed_3_IP_0" << int(Qt::Key_Return) << "Ed_3_IP_1";
        QTest::newRow("range row") << "EdR_0_IP_1" << int(Qt::Key_Space) << "EdR_0_IP_2";
        QTest::newRow("count editor") << "EdR1_0_IP_0" << int(Qt::Key_Space) << "EdR1_0_IP_0";
    }
    void spaceAndEnterMoveToTheNextOctet()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        w->CheckBox1->setChecked(true); // shows the range group
        auto* edit = w->findChild<NumberEdit*>(from);
        edit->setFocus();
        QTRY_COMPARE(focused(), edit);
        QSignalSpy refused(edit, &NumberEdit::refused);
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(focused()->objectName(), to);
        QCOMPARE(refused.count(), 0);
    }

    // However an editor is entered, the digits typed next replace its value.
    void typingOverAValueReplacesIt_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("value");
        for (const char* entry : {"tab", "shift+tab", "space", "enter", "click", "click again"})
            for (int value : {1, 20, 99, 100, 255})
                QTest::newRow(QByteArray(entry) + " into " + QByteArray::number(value))
                    << QString(entry) << value;
    }
    void typingOverAValueReplacesIt()
    {
        QFETCH(QString, entry);
        QFETCH(int, value);
        w->CheckBox2->setChecked(true); // shows the identifier editor
        w->CheckBox1->setChecked(true); // shows the range group
        // octet 1 of the board address, the write group and the range group; the identifier
        const QStringList before{"Ed_0_IP_0", "Ed_2_IP_0", "EdR_0_IP_0", "Ed_1_IP_3"};
        const QStringList targets{"Ed_0_IP_1", "Ed_2_IP_1", "EdR_0_IP_1", "IND_MEdit"};
        const QStringList after{"Ed_0_IP_2", "Ed_2_IP_2", "EdR_0_IP_2", ""};
        for (int i = 0; i < targets.size(); ++i) {
            auto* target = w->findChild<NumberEdit*>(targets[i]);
            const bool single = after[i].isEmpty();
            if (single && (entry == "space" || entry == "enter" || entry == "shift+tab"))
                continue; // no octet before or after it
            target->setValue(value);
            if (entry.startsWith("click")) {
                // "click again": into the editor that already has the focus, as the first
                // octet has when the window opens
                if (entry == "click")
                    w->Button1->setFocus();
                else
                    target->setFocus();
                QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, target->height() / 2));
            }
            else {
                auto* from = w->findChild<QWidget*>(entry == "shift+tab" ? after[i] : before[i]);
                from->setFocus();
                QTRY_COMPARE(focused(), from);
                const auto key = entry == "tab"         ? Qt::Key_Tab
                                 : entry == "shift+tab" ? Qt::Key_Backtab
                                 : entry == "space"     ? Qt::Key_Space
                                                        : Qt::Key_Return;
                QTest::keyClick(from, key, entry == "shift+tab" ? Qt::ShiftModifier : Qt::NoModifier);
            }
            QCOMPARE(focused(), target);
            QTest::keyClicks(target, "7");
            w->Button1->setFocus();
            QVERIFY2(target->value() == 7, qPrintable(targets[i] + " holds " + target->formattedText()));
        }
    }

    void typingAnAddressOverAnother()
    {
        setAddress(w->Ed_0, "192.168.1.20");
        auto* first = child<NumberEdit>("Ed_0_IP_0");
        w->Button3->setFocus();
        QTest::mouseClick(first, Qt::LeftButton);
        for (QChar c : QString("10 0 0 2"))
            QTest::keyClick(focused(), c.toLatin1()); // each key goes where the focus is
        w->Button3->setFocus();                       // leaving the row
        QCOMPARE(w->boardAddressString(), QString("010.000.000.002"));
        QTest::mouseClick(first, Qt::LeftButton);
        for (QChar c : QString("192 168 1 20"))
            QTest::keyClick(focused(), c.toLatin1());
        w->Button3->setFocus();
        QCOMPARE(w->Ed_0->texts(), QStringList({"192", "168", "001", "020"}));
    }

    void focusedEditorShowsThePlainNumber()
    {
        auto* octet = child<NumberEdit>("Ed_2_IP_0");
        octet->setValue(7);
        QCOMPARE(octet->text(), QString("007"));
        octet->setFocus();
        QCOMPARE(octet->text(), QString("7"));
        QCOMPARE(octet->formattedText(), QString("007"));
        octet->setValue(0);
        QCOMPARE(octet->text(), QString());
    }

    void refusedCharactersBeep()
    {
        auto* octet = child<NumberEdit>("Ed_2_IP_3");
        octet->setFocus();
        QSignalSpy refused(octet, &NumberEdit::refused);
        QTest::keyClicks(octet, "1a-2");
        QCOMPARE(refused.count(), 2);
        QCOMPARE(octet->text(), QString("12"));
    }

    void escapeRestoresAndLeavingClamps()
    {
        auto* octet = child<NumberEdit>("Ed_4_IP_1");
        octet->setValue(42);
        octet->setFocus();
        QTest::keyClicks(octet, "9");
        QTest::keyClick(octet, Qt::Key_Escape);
        QCOMPARE(octet->text(), QString("42"));
        octet->selectAll();
        QTest::keyClicks(octet, "300");
        w->Button1->setFocus();
        QCOMPARE(octet->formattedText(), QString("255"));
        octet->setValueText("999"); // from code: at once
        QCOMPARE(octet->formattedText(), QString("255"));
    }

    void macCharacterFilter_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("f to F") << "" << int(Qt::Key_F) << "f"
                                << "F";
        QTest::newRow("digit") << "" << int(Qt::Key_7) << "7"
                               << "7";
        QTest::newRow("g to 0") << "" << int(Qt::Key_G) << "g"
                                << "0";
        QTest::newRow("blank to 0") << "" << int(Qt::Key_Space) << " "
                                    << "0";
        QTest::newRow("backspace enters 0") << "A" << int(Qt::Key_Backspace) << "\b"
                                            << "A0";
        QTest::newRow("full field refuses") << "1E" << int(Qt::Key_5) << "5"
                                            << "1E";
        // caret and deletion keys as X11 delivers them: Delete comes with the text "\x7f"
        // (the caret stands where each would act: a deletion, a move or a typed "0" would show)
        for (auto [name, key, text] : {std::tuple{"delete does nothing", Qt::Key_Delete, "\x7f"},
                                       {"left does nothing", Qt::Key_Left, ""},
                                       {"right does nothing", Qt::Key_Right, ""},
                                       {"home does nothing", Qt::Key_Home, ""},
                                       {"end does nothing", Qt::Key_End, ""}})
            QTest::newRow(name) << "7" << int(key) << text << "7";
    }
    void macCharacterFilter()
    {
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, result);
        auto* mac = child<MacEdit>("Ed_5_IP_3");
        mac->setText(start);
        mac->setFocus();
        const bool movesLeft = key == Qt::Key_Left || key == Qt::Key_Home || key == Qt::Key_Backspace;
        const int caret = movesLeft ? start.size() : 0;
        mac->setCursorPosition(caret);
        QTest::sendKeyEvent(QTest::Press, mac, Qt::Key(key), text, Qt::NoModifier);
        QTest::keyEvent(QTest::Release, mac, Qt::Key(key));
        QCOMPARE(mac->text(), result);
        if (result == start)
            QCOMPARE(mac->cursorPosition(), caret);
    }

    void enteringAMacByteSelectsNothing()
    {
        auto* from = child<MacEdit>("Ed_5_IP_0");
        auto* mac = child<MacEdit>("Ed_5_IP_1");
        QCOMPARE(mac->text(), QString("1E"));
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab);
        QCOMPARE(focused(), mac);
        QVERIFY(!mac->hasSelectedText());
        QTest::keyClicks(mac, "5"); // a full byte refuses what is typed
        QCOMPARE(mac->text(), QString("1E"));
    }

    void overtypingASelectedMacByte()
    {
        auto* mac = child<MacEdit>("Ed_5_IP_2");
        mac->setText("1E");
        mac->setFocus();
        mac->selectAll();
        QTest::keyClicks(mac, "ab");
        QCOMPARE(mac->text(), QString("AB"));
    }

    void leavingCompletesTheMacByte_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("one character") << "7"
                                       << "07";
        QTest::newRow("empty") << ""
                               << "00";
        QTest::newRow("full") << "1E"
                              << "1E";
    }
    void leavingCompletesTheMacByte()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        auto* mac = child<MacEdit>("Ed_5_IP_4");
        mac->setFocus();
        QTRY_COMPARE(focused(), mac);
        mac->setText(text);
        QTest::keyClick(mac, Qt::Key_Tab);
        QVERIFY(focused() != mac);
        QCOMPARE(mac->text(), result);
    }
};

QTEST_MAIN(TestEditors)
#include "test_editors.moc"
