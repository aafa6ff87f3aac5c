// The 010.000.000.002 shortcut and "IP --> MAC".

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/clickable.h"
#include "gui/widgets/rows.h"
#include "wire/board_address.h"
#include "wire/hex_codec.h"

namespace talvik {

void TForm1_Config_UDP::Lab_IP1DblClick(QObject*)
{
    rememberedAddress_ = Ed_0->texts();
    Lab_IP2->setText(joinOctets(rememberedAddress_));
    Ed_0->setBytes({10, 0, 0, 2});
}

void TForm1_Config_UDP::Lab_IP2DblClick(QObject*)
{
    const QString first = rememberedAddress_.value(0);
    if (first.isEmpty() || first == QLatin1String("000"))
        return;
    for (int i = 0; i < 4; ++i)
        Ed_0->octet(i)->setValueText(rememberedAddress_.value(i));
}

void TForm1_Config_UDP::Button5Click(QObject*)
{
    for (int i = 0; i < 4; ++i)
        ED_5->byte(i + 2)->setText(ByteToHexPair(quint8(ED_2->octet(i)->value() & 0xFF)));
}

} // namespace talvik
