#pragma once
// The board address as the window writes it: four three-digit octets joined by
// dots ("010.000.000.002"). Each part is decimal whatever its leading zeros.

#include <QString>
#include <QStringList>
#include <optional>

namespace talvik {

QString joinOctets(const QStringList& threeDigitTexts);
bool isZeroAddress(const QStringList& threeDigitTexts);

// Reads dotted decimal text without any name lookup; nullopt when it is not
// four numbers 0..255.
std::optional<quint32> parseDottedDecimal(const QString& text);
bool isLoopback(quint32 address);

} // namespace talvik
