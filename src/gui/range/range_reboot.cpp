// Rebooting a run of consecutive boards on a 30 ms timer.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/rows.h"
#include "gui/widgets/tag.h"
#include "net/link.h"
#include "wire/board_address.h"
#include "wire/frames.h"

namespace talvik {

namespace {
// Fixed peers of the dispatch network that expect the burst of every tick.
const QString BurstHost = QStringLiteral("192.168.1.8");
constexpr quint16 BurstPort = 8025;
const QString RepointHost = QStringLiteral("192.168.1.145");
constexpr quint16 RepointPort = 6769;
constexpr int BurstSize = 100;
} // namespace

void TForm1_Config_UDP::CheckBox1Click(QObject*)
{
    GroupBox3->setVisible(CheckBox1->isChecked());
}

void TForm1_Config_UDP::Button4Click(QObject*)
{
    setTag(Button6, 1);
    sequencer_.start();
    ProgressBar1->show();
    // A bar whose maximum equals its minimum is drawn as endlessly busy; a count of
    // 000 (refused by the first tick) shows an empty bar instead.
    ProgressBar1->setMaximum(qMax(1, EdR1_0_IP_0->value()));
    ProgressBar1->setValue(0);
    if (!Timer2_Conf->isActive()) // START during a run keeps the tick rhythm
        Timer2_Conf->start();
}

void TForm1_Config_UDP::Button6Click(QObject*)
{
    setTag(Button6, 0);
}

void TForm1_Config_UDP::Timer2_ConfTimer(QObject*)
{
    if (isZeroAddress(Panel1->texts()) || EdR1_0_IP_0->formattedText() == QLatin1String("000")) {
        setTag(Button6, 0);
        Timer2_Conf->stop();
        ProgressBar1->setValue(0);
        showMessage(tr("IP - Плати що перезавантажуется = 000.000.000.000"));
        return;
    }
    const int first = Panel1->octet(3)->value();
    const int count = EdR1_0_IP_0->value();

    const QString board = sequencer_.tickAddress(Panel1->texts(), first);
    SendWordFrame(QStringLiteral("msi"), board, options_.wordPort);
    SendWordFrame(QStringLiteral("vsi"), board, options_.wordPort);

    ProgressBar1->setValue(sequencer_.offset());

    clientHost_ = RepointHost;
    Edit2->setText(clientHost_);
    clientPort_ = RepointPort;

    SendFromListener(BurstHost, QList<quint16>(BurstSize, BurstPort),
                     rebootFrame()); // an error ends it silently

    sequencer_.advance();
    if (sequencer_.decide(first, count, tagOf(Button6) != 0) != RangeSequencer::Decision::Continue) {
        setTag(Button6, 0);
        Timer2_Conf->stop();
        ProgressBar1->setValue(ProgressBar1->maximum());
    }
}

} // namespace talvik
