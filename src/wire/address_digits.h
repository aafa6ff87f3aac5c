#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace talvik {

// The echo service's page holds "IP Address:" and the caller's address. Every
// digit and full stop of the page is kept, in order; nullopt without the marker.
std::optional<QString> externalAddressDigits(const QByteArray& body);

} // namespace talvik
