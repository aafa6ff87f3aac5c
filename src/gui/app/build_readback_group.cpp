// The read-back group: what the board reported, row by row level with the write group.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/build_helpers.h"
#include "gui/widgets/rows.h"
#include "gui/widgets/whole_pixel_group_box.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace talvik {

namespace {
AddressRow* readOnlyRow(const char* panel, const char* prefix)
{
    auto* row = new AddressRow(QLatin1String(panel), QLatin1String(prefix));
    row->setReadOnly(true);
    return row;
}
} // namespace

QWidget* TForm1_Config_UDP::buildReadBackGroup()
{
    GroupBox1 = named(new QGroupBox, "GroupBox1");
    GroupBox1->setMinimumSize(345, 532);
    auto* layout = new QVBoxLayout(GroupBox1);

    auto* commands = new QWidget;
    commands->setObjectName(QStringLiteral("ReadCommands"));
    auto* buttons = new QGridLayout(commands);
    buttons->setContentsMargins(0, 0, 0, 0);
    Label59 = makeLabel("Label59", tr("постійна памьять"));
    Button2 = makeButton("Button2", tr("Прочитати"), QSize(126, 40));
    Button2->setProperty("Tag", 0);
    Label49 = makeLabel("Label49", tr("робоча конфігурація"));
    Button8 = makeButton("Button8", tr("Прочитати"), QSize(126, 40));
    Button8->setProperty("Tag", 1);
    Panel4 = named(new QFrame, "Panel4");
    auto* branchLayout = new QHBoxLayout(Panel4);
    branchLayout->setContentsMargins(2, 2, 2, 2);
    Str_NL_R = named(new MacEdit, "Str_NL_R");
    Str_NL_R->setMaxLength(3);
    Str_NL_R->setReadOnly(true);
    Str_NL_R->setText(QStringLiteral("000"));
    Str_NL_R->setFixedWidth(41);
    branchLayout->addWidget(Str_NL_R);
    hideAndDisable(Panel4);
    Label56 = makeLabel("Label56", tr("№ луча\n(мережевий)"));
    hideAndDisable(Label56);
    buttons->addWidget(Label59, 0, 0);
    buttons->addWidget(Button2, 1, 0);
    buttons->addWidget(Label49, 0, 1);
    buttons->addWidget(Button8, 1, 1);
    buttons->addWidget(Panel4, 1, 2);
    buttons->addWidget(Label56, 0, 2);
    layout->addWidget(commands);

    auto* rows = new QGridLayout;
    ED_7 = readOnlyRow("ED_7", "Ed_7");
    ED_8 = readOnlyRow("ED_8", "Ed_8");
    ED_9 = readOnlyRow("ED_9", "Ed_9");
    ED_10 = new MacRow(QStringLiteral("ED_10"), QStringLiteral("Ed_10"), QStringLiteral("AF"));
    for (int i = 0; i < 6; ++i)
        ED_10->byte(i)->setReadOnly(true);
    for (QWidget* w : {static_cast<QWidget*>(ED_7), static_cast<QWidget*>(ED_8), static_cast<QWidget*>(ED_9),
                       static_cast<QWidget*>(ED_10)})
        w->setEnabled(false);
    Label10 = makeLabel("Label10", tr("IP - Ліфта"));
    Label9 = makeLabel("Label9", tr("MASK"));
    Label8 = makeLabel("Label8", tr("ROUTER"));
    Label7 = makeLabel("Label7", tr("MAC"));
    addRow(rows, 0, ED_7, Label10);
    addRow(rows, 1, ED_8, Label9);
    addRow(rows, 2, ED_9, Label8);
    addRow(rows, 3, ED_10, Label7);
    Lab_Ver = makeLabel("Lab_Ver", tr("-------------"));
    Lab_Ver->setMinimumHeight(23);
    rows->addWidget(Lab_Ver, 4, 0, 1, 2);
    layout->addLayout(rows);

    GroupBox5 = named(new WholePixelGroupBox(tr("Тип IP адреси")), "GroupBox5");
    auto* type = new QGridLayout(GroupBox5);
    CheckBox5 = makeCheckBox("CheckBox5", tr("Статична IP адреса Плати ( DHCP )"));
    CheckBox3 = makeCheckBox("CheckBox3", tr("Статична IP адреса Пульта"));
    hideAndDisable(CheckBox5);
    hideAndDisable(CheckBox3);
    Label11 = makeLabel("Label11", tr("IP - Комп'ютера диспетч."));
    Label11->hide();
    ED_6 = readOnlyRow("ED_6", "Ed_6");
    hideAndDisable(ED_6);
    Label58 = makeLabel("Label58", tr("Ідентифікатор плати\n(номер луча\nпристрою зв'язку)"));
    Label58->hide();
    CurrencyEdit1 = named(new NumberEdit(65535, NumberEdit::Format::Plain), "CurrencyEdit1");
    CurrencyEdit1->setReadOnly(true);
    CurrencyEdit1->setFixedSize(84, 33);
    CurrencyEdit1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CurrencyEdit1->setBeepOnRefuse(false);
    hideAndDisable(CurrencyEdit1);
    Label64 = makeLabel("Label64", tr("IP - Резервний №1"));
    Label64->hide();
    ED_61 = readOnlyRow("ED_61", "Ed_61");
    hideAndDisable(ED_61);
    Label76 = makeLabel("Label76", tr("IP - Резервний №2"));
    Label76->hide();
    ED_62 = new AddressRow(QStringLiteral("ED_62"), QStringLiteral("Ed_62"));
    ED_62->hide();
    type->addWidget(CheckBox5, 0, 0, 1, 2);
    type->addWidget(CheckBox3, 1, 0, 1, 2);
    type->addWidget(Label11, 2, 0);
    type->addWidget(ED_6, 3, 0);
    type->addWidget(Label58, 2, 1);
    type->addWidget(CurrencyEdit1, 3, 1);
    type->addWidget(Label64, 4, 0);
    type->addWidget(ED_61, 5, 0);
    type->addWidget(Label76, 6, 0);
    type->addWidget(ED_62, 7, 0);
    layout->addWidget(GroupBox5);
    layout->addStretch();

    for (QWidget* value : std::initializer_list<QWidget*>{ED_7, ED_8, ED_9, ED_10, ED_6, ED_61, CurrencyEdit1,
                                                          CheckBox5, CheckBox3})
        drawAsReadOnly(value);
    return GroupBox1;
}

} // namespace talvik
