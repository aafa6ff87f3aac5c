// The band above the two main groups: identifier mode (hidden), the addressed
// board, Reboot, the port (hidden), reply status and the external address.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/build_helpers.h"
#include "gui/widgets/clickable.h"
#include "gui/widgets/glyph_button.h"
#include "gui/widgets/rows.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace talvik {

QWidget* TForm1_Config_UDP::buildTopBand()
{
    auto* band = new QWidget(this);
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(0, 0, 0, 0);

    auto* identColumn = new QVBoxLayout;
    Ch_Box_Conf_IP = makeCheckBox("Ch_Box_Conf_IP", tr("Конфігурування по Ідентифікатору"));
    hideAndDisable(Ch_Box_Conf_IP);
    Lab_Iden = makeLabel("Lab_Iden", tr("Ідентифікатор"));
    Lab_Iden->hide();
    CoBox_Iden = named(new QComboBox, "CoBox_Iden");
    CoBox_Iden->setEditable(false);
    CoBox_Iden->setMinimumContentsLength(5);
    CoBox_Iden->hide();
    CheckBox1 = makeCheckBox("CheckBox1", tr("Перезапуск масиву"));
    hideAndDisable(CheckBox1);
    identColumn->addWidget(Ch_Box_Conf_IP);
    identColumn->addWidget(Lab_Iden);
    identColumn->addWidget(CoBox_Iden);
    identColumn->addWidget(CheckBox1);
    identColumn->addStretch();
    row->addLayout(identColumn);

    GroupBox6 = named(new QGroupBox(tr("  IP - Плати що конфігуруеться  ")), "GroupBox6");
    GroupBox6->setMinimumSize(200, 81);
    auto* boardLayout = new QGridLayout(GroupBox6);
    Lab_IP1 = named(new ClickableLabel(tr("010.000.000.002")), "Lab_IP1");
    Lab_IP2 = named(new ClickableLabel(tr("-----------------------------")), "Lab_IP2");
    Lab_IP1->setTextFormat(Qt::PlainText);
    Lab_IP2->setTextFormat(Qt::PlainText);
    Ed_0 = new AddressRow(QStringLiteral("Ed_0"), QStringLiteral("Ed_0"));
    boardLayout->addWidget(Lab_IP1, 0, 0);
    boardLayout->addWidget(Lab_IP2, 0, 1);
    boardLayout->addWidget(Ed_0, 1, 0, 1, 2);
    row->addWidget(GroupBox6);

    Button3 = makeButton("Button3", tr("Reboot"), QSize(105, 88));
    row->addWidget(Button3);

    Pan_Port = named(new QFrame, "Pan_Port");
    Pan_Port->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* portLayout = new QVBoxLayout(Pan_Port);
    CurEd_Port = named(new NumberEdit(65535, NumberEdit::Format::Plain), "CurEd_Port");
    CurEd_Port->setValue(8026);
    CurEd_Port->setReadOnly(true);
    CurEd_Port->setFixedWidth(60);
    portLayout->addWidget(CurEd_Port);
    Pan_Port->hide();
    Lab_Port = makeLabel("Lab_Port", tr("Port"));
    Lab_Port->hide();
    auto* portColumn = new QVBoxLayout;
    portColumn->addWidget(Lab_Port);
    portColumn->addWidget(Pan_Port);
    portColumn->addStretch();
    row->addLayout(portColumn);

    auto* status = new QGridLayout;
    EditRs = named(new QLineEdit(tr("__")), "EditRs");
    EditRs->setFixedSize(21, 21);
    Label_In_IP = makeLabel("Label_In_IP", QString());
    Label_In_Port = makeLabel("Label_In_Port", QString());
    LabIdent = makeLabel("LabIdent", QStringLiteral("0"));
    LabIn = makeLabel("LabIn", QStringLiteral("0"));
    Label5 = makeLabel("Label5", QString());
    for (QLabel* l : {Label_In_IP, Label_In_Port, LabIdent, LabIn})
        l->setMinimumWidth(90);
    status->addWidget(EditRs, 0, 0);
    status->addWidget(LabIn, 0, 1);
    status->addWidget(Label_In_IP, 1, 0, 1, 2);
    status->addWidget(Label_In_Port, 2, 0);
    status->addWidget(LabIdent, 2, 1);
    status->addWidget(Label5, 3, 0, 1, 2);
    row->addLayout(status);

    GroupBox7 = named(new QGroupBox(options_.echoUrl.toString()), "GroupBox7");
    GroupBox7->setMinimumSize(225, 57);
    auto* lookupLayout = new QHBoxLayout(GroupBox7);
    Edit1 = named(new QLineEdit(tr("000.000.000.000")), "Edit1");
    Edit1->setReadOnly(true);
    BitBtn1 = named(new GlyphButton(tr("&Retry"), retryGlyph()), "BitBtn1");
    BitBtn1->setFixedSize(25, 28);
    lookupLayout->addWidget(Edit1);
    lookupLayout->addWidget(BitBtn1);
    row->addWidget(GroupBox7, 0, Qt::AlignTop);

    Panel5 = named(new PanelButton(tr("Stop")), "Panel5");
    Panel5->setFixedSize(60, 25);
    Panel5->hide();
    row->addWidget(Panel5, 0, Qt::AlignTop);
    row->addStretch();
    return band;
}

} // namespace talvik
