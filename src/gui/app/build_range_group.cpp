// The board-range reboot group (hidden unless CheckBox1 is ticked).

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/build_helpers.h"
#include "gui/widgets/rows.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace talvik {

QWidget* TForm1_Config_UDP::buildRangeGroup()
{
    GroupBox3 = named(new QGroupBox, "GroupBox3");
    GroupBox3->setFixedSize(385, 129);
    auto* grid = new QGridLayout(GroupBox3);
    Label53 = makeLabel("Label53", tr("IP - першої плати"));
    Panel1 = new AddressRow(QStringLiteral("Panel1"), QStringLiteral("EdR_0"));
    Label54 = makeLabel("Label54", tr("кількість плат"));
    Panel2 = named(new QFrame, "Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* countLayout = new QHBoxLayout(Panel2);
    countLayout->setContentsMargins(2, 2, 2, 2);
    EdR1_0_IP_0 = named(new NumberEdit(254, NumberEdit::Format::ThreeDigits), "EdR1_0_IP_0");
    EdR1_0_IP_0->setValue(1);
    EdR1_0_IP_0->setFixedWidth(41);
    countLayout->addWidget(EdR1_0_IP_0);
    Button4 = makeButton("Button4", tr("Reboot START"), QSize(100, 25));
    Button6 = makeButton("Button6", tr("Reboot STOP"), QSize(100, 25));
    Button6->setProperty("Tag", 0);
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    ProgressBar1->setRange(0, 255);
    ProgressBar1->setValue(0);
    ProgressBar1->hide();
    Edit2 = named(new QLineEdit, "Edit2");
    grid->addWidget(Label53, 0, 0);
    grid->addWidget(Panel1, 1, 0);
    grid->addWidget(Label54, 0, 1);
    grid->addWidget(Panel2, 1, 1);
    grid->addWidget(Button4, 0, 2);
    grid->addWidget(Button6, 1, 2);
    grid->addWidget(ProgressBar1, 2, 0, 1, 2);
    grid->addWidget(Edit2, 2, 2);
    GroupBox3->hide();
    return GroupBox3;
}

} // namespace talvik
