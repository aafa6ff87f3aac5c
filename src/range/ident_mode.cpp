// Identifier mode: boards listed by the identifier they report, picked instead of typed.

#include "app/TForm1_Config_UDP.h"
#include "app/texts.h"
#include "ui/clickable.h"
#include "ui/rows.h"
#include "ui/tag.h"

namespace talvik {

void TForm1_Config_UDP::Ch_Box_Conf_IPClick(QObject*)
{
    const bool on = Ch_Box_Conf_IP->isChecked();
    CoBox_Iden->clear();
    identRecords_.clear();
    Memo1->clear();
    pendingLog_.clear();
    if (on) {
        savedAddress_ = Ed_0->texts();
        for (int i = 0; i < 4; ++i)
            Ed_0->octet(i)->clearValue();
        CurEd_Port->clearValue();
    }
    else {
        CurEd_Port->setValue(8026);
        for (int i = 0; i < 4; ++i)
            Ed_0->octet(i)->setValueText(savedAddress_.value(i));
    }
    for (QWidget* w :
         {static_cast<QWidget*>(CoBox_Iden), static_cast<QWidget*>(Lab_Iden), static_cast<QWidget*>(Pan_Port),
          static_cast<QWidget*>(Lab_Port), static_cast<QWidget*>(Memo1)})
        w->setVisible(on);
    Lab_IP1->setVisible(!on);
    Lab_IP2->setVisible(!on);
    CurEd_Port->setReadOnly(true);
}

void TForm1_Config_UDP::CoBox_IdenChange(QObject*)
{
    const QString picked = CoBox_Iden->currentText();
    bool ok = false;
    const int ident = picked.toInt(&ok);
    if (!ok)
        return;
    if (const auto record = identRecords_.find(ident))
        copyRecordToEditors(*record);
}

void TForm1_Config_UDP::CurEd_PortDblClick(QObject*)
{
    CurEd_Port->setReadOnly(!CurEd_Port->isReadOnly());
}

void TForm1_Config_UDP::Panel5Click(QObject*)
{
    const int paused = tagOf(Panel5) == 0 ? 1 : 0;
    setTag(Panel5, paused);
    Panel5->setText(paused ? texts::PauseCaption : texts::RunCaption);
}

} // namespace talvik
