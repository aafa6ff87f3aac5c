// What the datagrams of a batch leave in the window: the status labels and the
// read-back group, written once and only where they change.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/rows.h"
#include "wire/board_address.h"
#include "wire/hex_codec.h"

namespace talvik {

void TForm1_Config_UDP::startReceived()
{
    received_ = ReceivedView{};
    received_.versionSuffix = tr(" - Версія программи");
    received_.count = LabIn->text().toLongLong(); // 0 when it is not a number
    received_.consoleDynamic = CheckBox3->isChecked();
    received_.version = readBackStaged_ ? QString() : Lab_Ver->text();
}

NumberEdit* TForm1_Config_UDP::readBackOctet(size_t position) const
{
    AddressRow* const rows[4] = {ED_6, ED_7, ED_8, ED_9};
    return rows[position / 4]->octet(int(position % 4));
}

void TForm1_Config_UDP::showReceived()
{
    const ReceivedView& v = received_;
    if (v.received == 0)
        return;
    applyReadBackEmptying(v);
    LabIn->setText(QString::number(v.count));
    Label_In_IP->setText(dottedText(v.sender));
    Label_In_Port->setText(QString::number(v.senderPort));
    if (v.ident)
        LabIdent->setText(QString::number(*v.ident));
    if (v.dump)
        Label5->setText(*v.dump);
    if (v.rebootAcknowledged)
        EditRs->setText(tr("Ok"));

    for (size_t i = 0; i < v.addresses.size(); ++i)
        if (v.addresses[i])
            readBackOctet(i)->setValue(*v.addresses[i]);
    for (size_t i = 0; i < v.mac.size(); ++i)
        if (v.mac[i])
            ED_10->byte(int(i))->setText(ByteToHexPair(*v.mac[i]));
    if (v.identBlock) {
        CurrencyEdit1->setValue(v.identBlock->ident);
        CheckBox3->setChecked(v.identBlock->consoleDynamic);
        ED_61->setBytes(v.identBlock->reserve1);
        ED_62->setBytes(v.identBlock->reserve2);
    }
    if (v.branch)
        Str_NL_R->setText(QStringLiteral("%1").arg(*v.branch, 3, 10, QLatin1Char('0')));
    if (!v.typeShown)
        return;

    CheckBox3->show();
    CheckBox3->setText(v.consoleDynamic ? tr("Динамічна IP адреса Пульта") : tr("Статична IP адреса Пульта"));
    for (QWidget* w : {static_cast<QWidget*>(Label11), static_cast<QWidget*>(Label58),
                       static_cast<QWidget*>(CurrencyEdit1), static_cast<QWidget*>(ED_6)})
        w->setVisible(v.consoleDynamic);
    if (Lab_Ver->text() != v.version)
        Lab_Ver->setText(v.version);
    CheckBox5->show();
    CheckBox5->setChecked(v.boardDhcp); // a change runs CheckBox2Click, as its click does
    CheckBox5->setText(v.boardDhcp ? tr("Динамічна IP адреса Плати ( DHCP )")
                                   : tr("Статична IP адреса Плати "));
}

} // namespace talvik
