// Read, write and reboot: the operator's three commands to the addressed board.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/rows.h"
#include "gui/widgets/tag.h"
#include "wire/board_address.h"
#include "wire/frames.h"
#include "wire/hex_codec.h"

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

void TForm1_Config_UDP::ClearReadBack(const ReceivedView& keep)
{
    for (size_t i = 0; i < keep.addresses.size(); ++i)
        if (!keep.addresses[i])
            readBackOctet(i)->clearValue();
    for (size_t i = 0; i < keep.mac.size(); ++i)
        if (!keep.mac[i])
            ED_10->byte(int(i))->clear();
    if (!keep.identBlock) {
        for (AddressRow* row : {ED_61, ED_62})
            for (int i = 0; i < 4; ++i)
                row->octet(i)->clearValue();
        CurrencyEdit1->clearValue();
    }
}

void TForm1_Config_UDP::hideAddressType()
{
    CheckBox5->hide();
    CheckBox3->hide();
    Lab_Ver->setText(QString());
}

void TForm1_Config_UDP::Button2Click(QObject* sender)
{
    if (isZeroAddress(Ed_0->texts())) {
        hideAddressType();
        boardAddressRefused(); // its message
        return;
    }
    stageReadBackEmptying(); // before sending: a link may answer at once
    askedMemory_ = readMemoryForTag(tagOf(sender));
    if (!SendCommandFrame(buildReadFrame(askedMemory_)))
        applyReadBackEmptying(); // no answer is coming
}

// A board answers within a millisecond or so. Emptying the group at the click and
// filling it again at the answer would cost the window thread two text layouts per
// field, and hiding the type boxes to show them again a relayout of the window and a
// round trip to the display server per box, while the operator would see neither
// (the answer comes before the next frame is drawn). So the emptying is staged: the
// answer, or any datagram shown before it, is shown over the emptied group, and if
// nothing comes within a frame the group is emptied then.
void TForm1_Config_UDP::stageReadBackEmptying()
{
    readBackStaged_ = true;
    readBackEmptying_->start();
}

void TForm1_Config_UDP::applyReadBackEmptying(const ReceivedView& shown)
{
    if (!readBackStaged_)
        return;
    readBackStaged_ = false;
    readBackEmptying_->stop();
    if (!shown.typeShown)
        hideAddressType();
    ClearReadBack(shown);
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
        const QByteArray frame = buildWriteFrame(writeFieldsOf(*this));
        journalWrite(frame);
        SendCommandFrame(frame);
    }
    Button2Click(Button1); // Tag 0: read the permanent memory back
}

void TForm1_Config_UDP::Button3Click(QObject*)
{
    if (boardAddressRefused())
        return;
    for (const char* word : RebootWords) {
        SendWordFrame(QLatin1String(word), boardAddressString(), options_.wordPort);
        QThread::msleep(WordPauseMs);
    }
    EditRs->setText(tr("__"));
    ClearReadBack();
    if (!TimerRead_Conf->isActive()) // a running timer keeps its rhythm
        TimerRead_Conf->start();
    setTag(TimerRead_Conf, 3);
    SendCommandFrame(rebootFrame());
}

} // namespace talvik
