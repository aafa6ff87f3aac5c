// A configuration reply shown in the read-back group.

#include "app/TForm1_Config_UDP.h"
#include "app/texts.h"
#include "protocol/hex_codec.h"
#include "replies/datagram.h"
#include "ui/rows.h"

namespace talvik {

void TForm1_Config_UDP::decodeFields(const QByteArray& datagram)
{
    const WriteFields f = readConfigFields(datagram);
    // Only the editors whose bytes the reply reaches are written: a short reply leaves
    // the rest as the read request emptied them.
    const auto reaches = [&](int position) { return position <= datagram.size(); };
    const std::pair<AddressRow*, std::pair<int, const Ipv4*>> rows[] = {
        {ED_6, {pos::Dispatcher, &f.dispatcher}},
        {ED_7, {pos::BoardIp, &f.ip}},
        {ED_8, {pos::Mask, &f.mask}},
        {ED_9, {pos::Gateway, &f.gateway}}};
    for (const auto& [row, field] : rows)
        for (int i = 0; i < 4; ++i)
            if (reaches(field.first + i))
                row->octet(i)->setValue((*field.second)[size_t(i)]);
    for (int i = 0; i < 6; ++i)
        if (reaches(pos::Mac + i))
            ED_10->byte(i)->setText(ByteToHexPair(f.mac[size_t(i)]));

    if (const auto block = identBlock(datagram)) {
        CurrencyEdit1->setValue(block->ident);
        CheckBox3->setChecked(block->consoleDynamic);
        ED_61->setBytes(block->reserve1);
        ED_62->setBytes(block->reserve2);
    }
    if (const auto branch = branchNumber(datagram))
        Str_NL_R->setText(QStringLiteral("%1").arg(*branch, 3, 10, QLatin1Char('0')));
}

void TForm1_Config_UDP::showTypeAndVersion(const QByteArray& datagram)
{
    CheckBox3->show();
    const bool consoleDynamic = CheckBox3->isChecked();
    CheckBox3->setText(consoleDynamic ? texts::ConsoleDynamic : texts::ConsoleStatic);
    for (QWidget* w : {static_cast<QWidget*>(Label11), static_cast<QWidget*>(Label58),
                       static_cast<QWidget*>(CurrencyEdit1), static_cast<QWidget*>(ED_6)})
        w->setVisible(consoleDynamic);

    if (const auto version = versionText(datagram))
        Lab_Ver->setText(version->isEmpty() ? QString() : *version + texts::VersionSuffix);

    CheckBox5->show();
    // The board's DHCP flag counts only while a version is shown.
    const bool boardDhcp = readConfiguration(datagram).boardDhcp && !Lab_Ver->text().isEmpty();
    CheckBox5->setChecked(boardDhcp);
    CheckBox5->setText(boardDhcp ? texts::BoardDynamic : texts::BoardStaticTrailing);
}

} // namespace talvik
