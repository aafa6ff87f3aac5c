#include "wire/address_digits.h"

namespace talvik {

std::optional<QString> externalAddressDigits(const QByteArray& body)
{
    if (!body.contains("IP Address:"))
        return std::nullopt;
    QString out;
    for (char c : body)
        if (c == '.' || (c >= '0' && c <= '9'))
            out += QLatin1Char(c);
    return out;
}

} // namespace talvik
