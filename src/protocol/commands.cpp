// Read, write and reboot: the operator's three commands to the addressed board.

#include "app/TForm1_Config_UDP.h"
#include "app/texts.h"
#include "protocol/frames.h"
#include "protocol/hex_codec.h"
#include "ui/rows.h"
#include "ui/tag.h"

#include <QThread>
#include <QTimer>

namespace talvik {

namespace {
WriteFields writeFieldsOf(const TForm1_Config_UDP& w)
{
    WriteFields f;
    f.dispatcher = w.ED_1->bytes();
    f.ip = w.ED_2->bytes();
    f.mask = w.ED_3->bytes();
    f.gateway = w.ED_4->bytes();
    for (int i = 0; i < 6; ++i)
        f.mac[i] = HexPairToByte(w.ED_5->byte(i)->text());
    f.branch = quint8(w.Str_NL_W->value());
    f.ident = quint16(w.IND_MEdit->value());
    f.consoleDynamic = w.CheckBox2->isChecked();
    f.reserve1 = w.ED_11->bytes();
    f.reserve2 = w.ED_12->bytes();
    f.boardDhcp = w.CheckBox4->isChecked();
    return f;
}
} // namespace

void TForm1_Config_UDP::ClearReadBack()
{
    for (AddressRow* row : {ED_6, ED_61, ED_62, ED_7, ED_8, ED_9})
        for (int i = 0; i < 4; ++i)
            row->octet(i)->clearValue();
    for (int i = 0; i < 6; ++i)
        ED_10->byte(i)->clear();
    CurrencyEdit1->clearValue();
}

void TForm1_Config_UDP::Button2Click(QObject* sender)
{
    CheckBox5->hide();
    CheckBox3->hide();
    Lab_Ver->setText(QString());
    if (boardAddressRefused())
        return;
    ClearReadBack();
    SendCommandFrame(buildReadFrame(readLetterForTag(tagOf(sender))));
    holdReadBackPaint();
}

// A board answers within a millisecond or so: the emptied group is painted only if the
// answer has not come within a frame, so the operator sees the answer at once instead
// of a flash of empty fields (and the window thread takes the answer without a repaint
// in between).
void TForm1_Config_UDP::holdReadBackPaint()
{
    GroupBox1->setUpdatesEnabled(false);
    QTimer::singleShot(20, GroupBox1, [this] { GroupBox1->setUpdatesEnabled(true); });
}

void TForm1_Config_UDP::Button1Click(QObject*)
{
    if (boardAddressRefused())
        return;
    ClearReadBack();
    setEnabled(false);
    struct Reenable {
        QWidget* w;
        ~Reenable() { w->setEnabled(true); }
    };
    {
        Reenable reenable{this};
        SendCommandFrame(buildWriteFrame(writeFieldsOf(*this)));
    }
    Button2Click(Button1); // Tag 0: read the permanent memory back
}

void TForm1_Config_UDP::Button3Click(QObject*)
{
    if (boardAddressRefused())
        return;
    for (int round = 0; round < 2; ++round) {
        SendWordFrame(QStringLiteral("msi"), boardAddressString(), options_.wordPort);
        QThread::msleep(100);
        SendWordFrame(QStringLiteral("vsi"), boardAddressString(), options_.wordPort);
        QThread::msleep(100);
    }
    EditRs->setText(texts::RebootPending);
    ClearReadBack();
    if (!TimerRead_Conf->isActive()) // a running timer keeps its rhythm
        TimerRead_Conf->start();
    setTag(TimerRead_Conf, 3);
    SendCommandFrame(rebootFrame());
}

} // namespace talvik
