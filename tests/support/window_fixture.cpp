#include "window_fixture.h"

#include "ui/rows.h"

namespace talvik::test {

void setAddress(AddressRow* row, const QString& dotted)
{
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i)
        row->octet(i)->setValueText(parts.value(i));
}

} // namespace talvik::test
