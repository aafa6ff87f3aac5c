// The address-type boxes of the write group and their coupling: a dynamic board
// needs a dynamic console, a static console needs a static board.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/rows.h"

namespace talvik {

void TForm1_Config_UDP::CheckBox2Click(QObject*)
{
    const bool dynamic = CheckBox2->isChecked();
    if (dynamic) {
        CheckBox2->setText(tr("Динамічна IP адреса Пульта"));
    }
    else {
        CheckBox2->setText(tr("Статична IP адреса Пульта"));
        CheckBox4->setChecked(false);
    }
    ED_1->setEnabled(dynamic);
    IND_MEdit->setEnabled(dynamic);
    for (QWidget* w : {static_cast<QWidget*>(ED_1), static_cast<QWidget*>(IND_MEdit),
                       static_cast<QWidget*>(Label6), static_cast<QWidget*>(Label57)})
        w->setVisible(dynamic);
}

void TForm1_Config_UDP::CheckBox4Click(QObject*)
{
    if (CheckBox4->isChecked()) {
        CheckBox4->setText(tr("Динамічна IP адреса Плати ( DHCP )"));
        CheckBox2->setChecked(true);
    }
    else {
        CheckBox4->setText(tr("Статична IP адреса Плати"));
    }
}

} // namespace talvik
