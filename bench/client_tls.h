#pragma once
// A TLS client of the exporter as the benchmarks' certificates make one: trusting DIR/ca.crt,
// and, when named, showing DIR/NAME.crt with its key DIR/NAME.key.

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QString>

namespace bench {

inline QSslConfiguration clientTls(const QString& dir, const QString& certificate = {})
{
    QSslConfiguration c = QSslConfiguration::defaultConfiguration();
    c.setCaCertificates(QSslCertificate::fromPath(dir + "/ca.crt"));
    if (!certificate.isEmpty()) {
        c.setLocalCertificate(QSslCertificate::fromPath(dir + '/' + certificate + ".crt").value(0));
        QFile key(dir + '/' + certificate + ".key");
        if (key.open(QIODevice::ReadOnly))
            c.setPrivateKey(QSslKey(key.readAll(), QSsl::Ec));
    }
    return c;
}

} // namespace bench
