// The web configuration where the build has no YAML reader (the Windows build): refused,
// saying what to do instead.

#include "web_config.h"

namespace talvik::ctl {

bool WebConfig::changedOnDisk() const
{
    return false;
}

WebConfig readWebConfig(const QString& path)
{
    throw WebConfigError{
        QStringLiteral(
            "%1: --web.config.file (TLS, passwords) is not in this build of talvikctl, which serves "
            "plain HTTP: on Windows, serve it to this PC only (--web.listen-address 127.0.0.1:9767) "
            "behind a TLS reverse proxy, or run the exporter on a Debian PC")
            .arg(path)};
}

} // namespace talvik::ctl
