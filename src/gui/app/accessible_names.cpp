// What each control says to a screen reader. Editors show only digits, so without
// a name a screen reader would say "000" for every octet of the window. A label that
// shows a value (the counter, the sender, the board's version) keeps the name Qt gives
// it, the text it shows, and says what it is in its description; so does every control
// whose text changes.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/rows.h"

namespace talvik {

namespace {
QString oneLine(const QString& caption)
{
    return caption.simplified(); // the three-line labels become one phrase
}
} // namespace

void TForm1_Config_UDP::nameForScreenReaders()
{
    Ed_0->nameEditors(oneLine(GroupBox6->title()));
    const std::pair<AddressRow*, QLabel*> writeRows[] = {{ED_2, Label4}, {ED_3, Label3},   {ED_4, Label2},
                                                         {ED_1, Label6}, {ED_11, Label63}, {ED_12, Label68}};
    for (auto [row, label] : writeRows)
        row->nameEditors(label->text());
    ED_5->nameEditors(Label1->text());

    const std::pair<AddressRow*, QLabel*> readRows[] = {{ED_7, Label10}, {ED_8, Label9},   {ED_9, Label8},
                                                        {ED_6, Label11}, {ED_61, Label64}, {ED_62, Label76}};
    for (auto [row, label] : readRows)
        row->nameEditors(label->text() + tr(" (прочитано)"));
    ED_10->nameEditors(Label7->text() + tr(" (прочитано)"));
    Panel1->nameEditors(Label53->text());

    IND_MEdit->setAccessibleName(oneLine(Label57->text()));
    CurrencyEdit1->setAccessibleName(oneLine(Label58->text()) + tr(" (прочитано)"));
    Str_NL_W->setAccessibleName(oneLine(Label55->text()));
    Str_NL_R->setAccessibleName(oneLine(Label56->text()) + tr(" (прочитано)"));
    EdR1_0_IP_0->setAccessibleName(Label54->text());
    CurEd_Port->setAccessibleName(Lab_Port->text());
    CoBox_Iden->setAccessibleName(Lab_Iden->text());

    // Fields: named for what they hold; a screen reader reads their text beside the name.
    const std::pair<QWidget*, QString> fields[] = {{EditRs, tr("Стан перезавантаження")},
                                                   {Edit1, tr("Зовнішня IP-адреса")},
                                                   {Edit2, tr("Адреса відправлення")},
                                                   {Memo1, tr("Журнал ідентифікаторів")}};
    for (auto [widget, name] : fields)
        widget->setAccessibleName(name);
    const std::pair<QLabel*, QString> values[] = {
        {LabIn, tr("Отримано датаграм")},        {Label_In_IP, tr("Адреса відправника")},
        {Label_In_Port, tr("Порт відправника")}, {LabIdent, tr("Ідентифікатор останньої датаграми")},
        {Label5, tr("Діагностика плати")},       {Lab_Ver, tr("Версія програми плати")}};
    for (auto [label, what] : values)
        label->setAccessibleDescription(what);

    // Two buttons captioned alike: each named for what it reads, its caption label linked.
    for (auto [button, caption] : {std::pair{Button2, Label59}, std::pair{Button8, Label49}}) {
        button->setAccessibleName(button->text() + QStringLiteral(": ") + caption->text());
        caption->setBuddy(button);
    }
    BitBtn1->setAccessibleName(
        tr("Дізнатися зовнішню IP-адресу")); // its caption is the toolkit's English "&Retry"
    BitBtn1->setToolTip(tr("Дізнатися зовнішню IP-адресу цього комп'ютера"));
    BitBtn1->setAccessibleDescription(tr("Дізнатися зовнішню IP-адресу цього комп'ютера"));
    Button7->setToolTip(tr("Перенести прочитану конфігурацію в поля запису"));
    Button7->setAccessibleDescription(tr("Перенести прочитану конфігурацію в поля запису"));
}

} // namespace talvik
