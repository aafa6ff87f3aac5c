// Keyboard behaviour of the octet and MAC editors.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/rows.h"
#include "gui/widgets/tag.h"

namespace talvik {

void TForm1_Config_UDP::moveToNextOctet(QObject* sender, QChar& key)
{
    if (key != QLatin1Char(' ') && key != QLatin1Char('\r'))
        return;
    const QString name = sender ? sender->objectName() : QString();
    const auto at = name.lastIndexOf(QLatin1String("_IP_"));
    QWidget* next = nullptr;
    if (at >= 0)
        next = findChild<QWidget*>(name.left(at + 4) + QString::number(name.mid(at + 4).toInt() + 1));
    if (next)
        next->setFocus(Qt::TabFocusReason);
    // Taken as a separator (single-number editors have no next octet): never a refused character.
    key = QChar();
}

void TForm1_Config_UDP::Ed_1_IP_0KeyPress(QObject* sender, QChar& key)
{
    moveToNextOctet(sender, key);
}
void TForm1_Config_UDP::Ed_1_IP_1KeyPress(QObject* sender, QChar& key)
{
    moveToNextOctet(sender, key);
}
void TForm1_Config_UDP::Ed_1_IP_2KeyPress(QObject* sender, QChar& key)
{
    moveToNextOctet(sender, key);
}
void TForm1_Config_UDP::Ed_11_IP_0KeyPress(QObject* sender, QChar& key)
{
    moveToNextOctet(sender, key);
}
void TForm1_Config_UDP::Ed_11_IP_1KeyPress(QObject* sender, QChar& key)
{
    moveToNextOctet(sender, key);
}
void TForm1_Config_UDP::Ed_11_IP_2KeyPress(QObject* sender, QChar& key)
{
    moveToNextOctet(sender, key);
}

void TForm1_Config_UDP::Ed_5_IP_0KeyDown(QObject*, int& keyCode)
{
    if (unsigned(keyCode - 48) >= 10)
        keyCode = 48;
}

void TForm1_Config_UDP::Ed_5_IP_0KeyPress(QObject*, QChar& key)
{
    const char16_t c = key.unicode();
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))
        return;
    if (c >= 'a' && c <= 'f')
        key = QChar(c - 'a' + 'A');
    else
        key = QLatin1Char('0');
}

void TForm1_Config_UDP::Ed_5_IP_0Exit(QObject* sender)
{
    const int n = tagOf(sender) & 0xFF;
    auto* edit = findChild<QLineEdit*>(QStringLiteral("Ed_5_IP_%1").arg(n));
    if (!edit)
        return;
    if (edit->text().isEmpty())
        edit->setText(QStringLiteral("00"));
    if (edit->text().size() < 2)
        edit->setText(QLatin1Char('0') + edit->text());
}

void TForm1_Config_UDP::bindEditorKeys()
{
    using KeyHandler = void (TForm1_Config_UDP::*)(QObject*, QChar&);
    auto bindRow = [this](AddressRow* row, KeyHandler h0, KeyHandler h1, KeyHandler h2) {
        const KeyHandler handlers[3] = {h0, h1, h2};
        for (int i = 0; i < 3; ++i) {
            const KeyHandler h = handlers[i];
            row->octet(i)->keyPressHook = [this, h](NumberEdit* e, QChar& key) { (this->*h)(e, key); };
        }
    };
    for (AddressRow* row : {Ed_0, ED_1, ED_2, ED_3, ED_4, ED_6, ED_7, ED_8, ED_9, ED_61, Panel1})
        bindRow(row, &TForm1_Config_UDP::Ed_1_IP_0KeyPress, &TForm1_Config_UDP::Ed_1_IP_1KeyPress,
                &TForm1_Config_UDP::Ed_1_IP_2KeyPress);
    for (AddressRow* row : {ED_11, ED_12, ED_62})
        bindRow(row, &TForm1_Config_UDP::Ed_11_IP_0KeyPress, &TForm1_Config_UDP::Ed_11_IP_1KeyPress,
                &TForm1_Config_UDP::Ed_11_IP_2KeyPress);
    for (NumberEdit* single : {EdR1_0_IP_0, CurEd_Port, Str_NL_W})
        single->keyPressHook = [this](NumberEdit* e, QChar& key) { Ed_1_IP_0KeyPress(e, key); };

    QList<MacEdit*> macEditors{Str_NL_R};
    for (int i = 0; i < 6; ++i)
        macEditors << ED_5->byte(i) << ED_10->byte(i);
    for (MacEdit* m : macEditors) {
        m->keyDownHook = [this](MacEdit* e, int& code) { Ed_5_IP_0KeyDown(e, code); };
        m->keyPressHook = [this](MacEdit* e, QChar& key) { Ed_5_IP_0KeyPress(e, key); };
        m->exitHook = [this](MacEdit* e) { guarded([&] { Ed_5_IP_0Exit(e); }); };
    }
}

} // namespace talvik
