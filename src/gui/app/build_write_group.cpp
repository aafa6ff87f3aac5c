// The write group: what "Записати" sends to the board.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/build_helpers.h"
#include "gui/widgets/rows.h"
#include "gui/widgets/whole_pixel_group_box.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace talvik {

QWidget* TForm1_Config_UDP::buildWriteGroup()
{
    GroupBox2 = named(new QGroupBox, "GroupBox2");
    GroupBox2->setMinimumSize(345, 532);
    auto* layout = new QVBoxLayout(GroupBox2);

    auto* commands = new QWidget;
    commands->setObjectName(QStringLiteral("WriteCommands"));
    auto* top = new QHBoxLayout(commands);
    top->setContentsMargins(0, 0, 0, 0);
    Button1 = makeButton("Button1", tr("Записати"), QSize(180, 40));
    Panel3 = named(new QFrame, "Panel3");
    auto* branchLayout = new QHBoxLayout(Panel3);
    branchLayout->setContentsMargins(2, 2, 2, 2);
    Str_NL_W = named(new NumberEdit(255, NumberEdit::Format::ThreeDigits), "Str_NL_W");
    Str_NL_W->setFixedWidth(41);
    branchLayout->addWidget(Str_NL_W);
    hideAndDisable(Panel3);
    Label55 = makeLabel("Label55", tr("№ луча\n(мережевий)"));
    hideAndDisable(Label55);
    top->addWidget(Button1, 0, Qt::AlignBottom); // level with the read buttons
    top->addWidget(Panel3);
    top->addWidget(Label55);
    top->addStretch();
    layout->addWidget(commands);

    auto* rows = new QGridLayout;
    ED_2 = new AddressRow(QStringLiteral("ED_2"), QStringLiteral("Ed_2"));
    ED_3 = new AddressRow(QStringLiteral("ED_3"), QStringLiteral("Ed_3"));
    ED_4 = new AddressRow(QStringLiteral("ED_4"), QStringLiteral("Ed_4"));
    ED_5 = new MacRow(QStringLiteral("ED_5"), QStringLiteral("Ed_5"), QStringLiteral("AF"));
    ED_5->byte(0)->setText(QStringLiteral("00"));
    ED_5->byte(1)->setText(QStringLiteral("1E"));
    Label4 = makeLabel("Label4", tr("IP - Ліфта"));
    Label3 = makeLabel("Label3", tr("MASK"));
    Label2 = makeLabel("Label2", tr("ROUTER"));
    Label1 = makeLabel("Label1", tr("MAC"));
    addRow(rows, 0, ED_2, Label4);
    addRow(rows, 1, ED_3, Label3);
    addRow(rows, 2, ED_4, Label2);
    addRow(rows, 3, ED_5, Label1);
    Button5 = makeButton("Button5", tr("IP --> MAC"), QSize(271, 23));
    rows->addWidget(Button5, 4, 0, 1, 2);
    layout->addLayout(rows);

    GroupBox4 = named(new WholePixelGroupBox(tr("Тип IP адреси")), "GroupBox4");
    auto* type = new QGridLayout(GroupBox4);
    CheckBox4 = makeCheckBox("CheckBox4", tr("Статична IP адреса Плати "));
    CheckBox2 = makeCheckBox("CheckBox2", tr("Статична IP адреса Пульта"));
    Label6 = makeLabel("Label6", tr("IP - Комп'ютера диспетч."));
    ED_1 = new AddressRow(QStringLiteral("ED_1"), QStringLiteral("Ed_1"));
    Label57 = makeLabel("Label57", tr("Ідентифікатор плати\n(номер луча\nпристрою зв'язку)"));
    IND_MEdit = named(new NumberEdit(65535, NumberEdit::Format::Plain), "IND_MEdit");
    IND_MEdit->setFixedSize(84, 33);
    IND_MEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    IND_MEdit->setBeepOnRefuse(false);
    Label63 = makeLabel("Label63", tr("IP - Резервний №1"));
    ED_11 = new AddressRow(QStringLiteral("ED_11"), QStringLiteral("Ed_11"));
    Label68 = makeLabel("Label68", tr("IP - Резервний №2"));
    ED_12 = new AddressRow(QStringLiteral("ED_12"), QStringLiteral("Ed_12"));
    for (QWidget* w : {static_cast<QWidget*>(Label63), static_cast<QWidget*>(ED_11),
                       static_cast<QWidget*>(Label68), static_cast<QWidget*>(ED_12)})
        hideAndDisable(w);
    type->addWidget(CheckBox4, 0, 0, 1, 2);
    type->addWidget(CheckBox2, 1, 0, 1, 2);
    type->addWidget(Label6, 2, 0);
    type->addWidget(ED_1, 3, 0);
    type->addWidget(IND_MEdit, 3, 1);
    type->addWidget(Label57, 2, 1);
    type->addWidget(Label63, 4, 0);
    type->addWidget(ED_11, 5, 0);
    type->addWidget(Label68, 6, 0);
    type->addWidget(ED_12, 7, 0);
    layout->addWidget(GroupBox4);
    layout->addStretch();
    return GroupBox2;
}

} // namespace talvik
