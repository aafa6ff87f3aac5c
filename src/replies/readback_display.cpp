// A configuration reply shown in the read-back group.

#include "app/TForm1_Config_UDP.h"
#include "app/texts.h"
#include "protocol/hex_codec.h"
#include "replies/datagram.h"
#include "ui/rows.h"

namespace talvik {

void TForm1_Config_UDP::decodeFields(const QByteArray& data)
{
    AddressRow* const rows[4] = {ED_6, ED_7, ED_8, ED_9};
    const int reach = qMin(int(data.size()), 22);
    for (int p = 1; p <= reach; ++p) {
        const quint8 b = byteAt(data, p);
        if (p <= 16)
            rows[(p - 1) / 4]->octet((p - 1) % 4)->setValue(b);
        else
            ED_10->byte(p - 17)->setText(ByteToHexPair(b));
    }
    if (const auto block = identBlock(data)) {
        CurrencyEdit1->setValue(block->ident);
        CheckBox3->setChecked(block->consoleDynamic);
        ED_61->setBytes(block->reserve1);
        ED_62->setBytes(block->reserve2);
    }
    if (const auto branch = branchNumber(data))
        Str_NL_R->setText(QStringLiteral("%1").arg(*branch, 3, 10, QLatin1Char('0')));
}

void TForm1_Config_UDP::showTypeAndVersion(const QByteArray& data)
{
    CheckBox3->show();
    const bool consoleDynamic = CheckBox3->isChecked();
    CheckBox3->setText(consoleDynamic ? texts::ConsoleDynamic : texts::ConsoleStatic);
    for (QWidget* w : {static_cast<QWidget*>(Label11), static_cast<QWidget*>(Label58),
                       static_cast<QWidget*>(CurrencyEdit1), static_cast<QWidget*>(ED_6)})
        w->setVisible(consoleDynamic);

    if (const auto version = versionText(data))
        Lab_Ver->setText(version->isEmpty() ? QString() : *version + texts::VersionSuffix);

    CheckBox5->show();
    const bool boardDhcp = byteAt(data, 76) != 0 && !Lab_Ver->text().isEmpty();
    CheckBox5->setChecked(boardDhcp);
    CheckBox5->setText(boardDhcp ? texts::BoardDynamic : texts::BoardStaticTrailing);
}

} // namespace talvik
