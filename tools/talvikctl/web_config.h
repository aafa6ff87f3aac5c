#pragma once
// The exporter's web configuration file, in the format Prometheus' own exporters read
// (--web.config.file, the exporter toolkit's): TLS with client certificates, basic
// authentication with bcrypt hashes, security headers and a rate limit. The file and the
// files it names are read with bounds; a key the format does not have, or a value it does
// not take, is an error naming the file, the line and the key. Relative paths are taken
// from the file's own folder.

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSslCertificate>
#include <QSslCipher>
#include <QSslEllipticCurve>
#include <QSslKey>
#include <QStringList>
#include <optional>

namespace talvik::ctl {

struct WebConfigError {
    QString message;
};

struct WebConfig {
    struct Tls {
        QList<QSslCertificate> chain; // the server's certificate first
        QSslKey key;
        enum ClientAuth {
            NoClientCert,
            RequestClientCert,
            RequireAnyClientCert,
            VerifyClientCertIfGiven,
            RequireAndVerifyClientCert,
        } clientAuth = NoClientCert;
        QList<QSslCertificate> clientCa;
        QStringList allowedSans; // a client certificate must name one (DNS, IP, e-mail or URI)
        QSsl::SslProtocol protocol = QSsl::TlsV1_2OrLater;
        QList<QSslCipher> ciphers; // TLS 1.2's, in order; empty: the library's
        bool preferServerCiphers = true;
        QList<QSslEllipticCurve> curves;
    };
    std::optional<Tls> tls;
    QList<QPair<QByteArray, QByteArray>> headers; // added to every answer
    QHash<QString, QByteArray> users;             // name: bcrypt hash; none: no password asked
    struct RateLimit {
        qint64 intervalMs = 0; // a request's worth of tokens comes back every interval
        int burst = 0;
    };
    std::optional<RateLimit> rateLimit;

    // The file and each file it names, as they were when read: a change to any is a reason to
    // read them again.
    struct Read {
        QString path;
        qint64 size = -1;
        QDateTime modified;
    };
    QList<Read> files;
    bool changedOnDisk() const;
};

// Throws WebConfigError: "FILE:LINE: tls_server_config.min_version: 'TLS9' is not TLS10,
// TLS11, TLS12 or TLS13".
WebConfig readWebConfig(const QString& path);

} // namespace talvik::ctl
