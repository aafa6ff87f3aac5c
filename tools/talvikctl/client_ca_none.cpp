// Without the exporter's web configuration (the Windows build refuses --web.config.file) no
// client certificate is ever checked.

#include "client_ca.h"

namespace talvik::ctl {

struct ClientCa::Store {};

ClientCa::ClientCa(const QList<QSslCertificate>&) {}

QStringList ClientCa::urisOf(const QSslCertificate&)
{
    return {};
}

bool ClientCa::issued(const QList<QSslCertificate>&) const
{
    return false;
}

} // namespace talvik::ctl
