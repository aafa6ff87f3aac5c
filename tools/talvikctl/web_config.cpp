// The web configuration file read with yaml-cpp, Debian's YAML library: its nodes keep the
// line they come from, for a message that names it.

#include "web_config.h"

#include "board/untrusted_text.h"
#include "wire/input_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <yaml-cpp/yaml.h>

namespace talvik::ctl {

namespace {
constexpr qint64 MostFileBytes = 1 << 20; // the file, a certificate chain, a key

// Go's names of the TLS 1.2 cipher suites, and OpenSSL's.
const QList<QPair<const char*, const char*>> Ciphers{
    {"TLS_RSA_WITH_AES_128_CBC_SHA", "AES128-SHA"},
    {"TLS_RSA_WITH_AES_256_CBC_SHA", "AES256-SHA"},
    {"TLS_RSA_WITH_AES_128_GCM_SHA256", "AES128-GCM-SHA256"},
    {"TLS_RSA_WITH_AES_256_GCM_SHA384", "AES256-GCM-SHA384"},
    {"TLS_ECDHE_ECDSA_WITH_AES_128_CBC_SHA", "ECDHE-ECDSA-AES128-SHA"},
    {"TLS_ECDHE_ECDSA_WITH_AES_256_CBC_SHA", "ECDHE-ECDSA-AES256-SHA"},
    {"TLS_ECDHE_RSA_WITH_AES_128_CBC_SHA", "ECDHE-RSA-AES128-SHA"},
    {"TLS_ECDHE_RSA_WITH_AES_256_CBC_SHA", "ECDHE-RSA-AES256-SHA"},
    {"TLS_ECDHE_ECDSA_WITH_AES_128_GCM_SHA256", "ECDHE-ECDSA-AES128-GCM-SHA256"},
    {"TLS_ECDHE_RSA_WITH_AES_128_GCM_SHA256", "ECDHE-RSA-AES128-GCM-SHA256"},
    {"TLS_ECDHE_ECDSA_WITH_AES_256_GCM_SHA384", "ECDHE-ECDSA-AES256-GCM-SHA384"},
    {"TLS_ECDHE_RSA_WITH_AES_256_GCM_SHA384", "ECDHE-RSA-AES256-GCM-SHA384"},
    {"TLS_ECDHE_RSA_WITH_CHACHA20_POLY1305_SHA256", "ECDHE-RSA-CHACHA20-POLY1305"},
    {"TLS_ECDHE_ECDSA_WITH_CHACHA20_POLY1305_SHA256", "ECDHE-ECDSA-CHACHA20-POLY1305"},
};
const QList<QPair<const char*, const char*>> Curves{{"CurveP256", "prime256v1"},
                                                    {"CurveP384", "secp384r1"},
                                                    {"CurveP521", "secp521r1"},
                                                    {"X25519", "X25519"}};
const QStringList ClientAuths{QStringLiteral("NoClientCert"), QStringLiteral("RequestClientCert"),
                              QStringLiteral("RequireAnyClientCert"),
                              QStringLiteral("VerifyClientCertIfGiven"),
                              QStringLiteral("RequireAndVerifyClientCert")};
const QStringList Headers{QStringLiteral("Content-Security-Policy"), QStringLiteral("X-Frame-Options"),
                          QStringLiteral("X-Content-Type-Options"), QStringLiteral("X-XSS-Protection"),
                          QStringLiteral("Strict-Transport-Security")};

// A value of the file in a message: quoted, its control characters shown.
QString said(const QString& value)
{
    return u'\'' + quoted(value, 100) + u'\'';
}

QString text(const YAML::Node& node)
{
    return QString::fromStdString(node.Scalar());
}

// Where the file is read from, and the errors it words.
class Reader {
  public:
    explicit Reader(const QString& path) : path_(path), folder_(QFileInfo(path).absolutePath()) {}

    [[noreturn]] void fail(const YAML::Node& at, const QString& key, const QString& why) const
    {
        const int line = at.Mark().line >= 0 ? at.Mark().line + 1 : 0;
        throw WebConfigError{QStringLiteral("%1:%2: %3: %4").arg(path_).arg(line).arg(key, why)};
    }

    // A map's entries, each key known and given once, in the file's order.
    QList<QPair<QString, YAML::Node>> entries(const YAML::Node& map, const QString& where,
                                              const QStringList& known) const
    {
        if (map.IsNull())
            return {};
        if (!map.IsMap())
            fail(map, where, QStringLiteral("not a map of keys"));
        QList<QPair<QString, YAML::Node>> out;
        QSet<QString> seen;
        for (auto it = map.begin(); it != map.end(); ++it) {
            const QString key = text(it->first);
            const QString name = where.isEmpty() ? key : where + u'.' + key;
            if (!known.isEmpty() && !known.contains(key))
                fail(it->first, name,
                     QStringLiteral("not a key of the web configuration (%1)")
                         .arg(known.join(QStringLiteral(", "))));
            if (seen.contains(key))
                fail(it->first, name, QStringLiteral("given twice"));
            seen.insert(key);
            out.append({key, it->second});
        }
        return out;
    }

    QString scalar(const YAML::Node& node, const QString& key) const
    {
        if (!node.IsScalar())
            fail(node, key, QStringLiteral("not a single value"));
        return text(node);
    }

    bool boolean(const YAML::Node& node, const QString& key) const
    {
        const QString value = scalar(node, key);
        if (value == QLatin1String("true"))
            return true;
        if (value == QLatin1String("false"))
            return false;
        fail(node, key, QStringLiteral("%1 is not true or false").arg(said(value)));
    }

    QStringList list(const YAML::Node& node, const QString& key) const
    {
        if (!node.IsSequence())
            fail(node, key, QStringLiteral("not a list"));
        QStringList out;
        for (const YAML::Node& item : node)
            out.append(scalar(item, key));
        return out;
    }

    // A file the configuration names, read whole within its bounds.
    QByteArray file(const YAML::Node& node, const QString& key)
    {
        const QString given = scalar(node, key);
        const QString path = QDir(folder_).absoluteFilePath(given);
        QString why;
        const std::optional<QByteArray> read = readInputFile(path, MostFileBytes, key, &why);
        if (!read)
            fail(node, key, why);
        note(path);
        return *read;
    }

    void note(const QString& path)
    {
        files.append({path, QFileInfo(path).size(), QFileInfo(path).lastModified()});
    }

    QList<WebConfig::Read> files;

  private:
    QString path_, folder_;
};

QList<QSslCertificate> certificates(Reader& r, const YAML::Node& node, const QString& key,
                                    const QByteArray& pem)
{
    const QList<QSslCertificate> out = QSslCertificate::fromData(pem, QSsl::Pem);
    if (out.isEmpty())
        r.fail(node, key, QStringLiteral("no PEM certificate in it"));
    return out;
}

QSslKey privateKey(Reader& r, const YAML::Node& node, const QString& key, const QByteArray& pem)
{
    for (QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa, QSsl::Dh}) {
        const QSslKey k(pem, algorithm, QSsl::Pem, QSsl::PrivateKey);
        if (!k.isNull())
            return k;
    }
    r.fail(node, key, QStringLiteral("no PEM private key in it (an encrypted key cannot be read)"));
}

QSsl::SslProtocol protocolOf(Reader& r, const YAML::Node& minNode, const QString& min,
                             const YAML::Node& maxNode, const QString& max)
{
    const QStringList versions{QStringLiteral("TLS10"), QStringLiteral("TLS11"), QStringLiteral("TLS12"),
                               QStringLiteral("TLS13")};
    for (const auto& [node, value, key] :
         {std::tuple(minNode, min, QStringLiteral("tls_server_config.min_version")),
          std::tuple(maxNode, max, QStringLiteral("tls_server_config.max_version"))}) {
        if (!versions.contains(value))
            r.fail(node, key, QStringLiteral("%1 is not TLS10, TLS11, TLS12 or TLS13").arg(said(value)));
        if (value == QLatin1String("TLS10") || value == QLatin1String("TLS11"))
            r.fail(node, key, QStringLiteral("%1 is not served: TLS 1.2 and 1.3 only").arg(value));
    }
    if (versions.indexOf(min) > versions.indexOf(max))
        r.fail(minNode, QStringLiteral("tls_server_config.min_version"),
               QStringLiteral("%1 is above max_version %2").arg(min, max));
    if (min == QLatin1String("TLS13"))
        return QSsl::TlsV1_3OrLater;
    return max == QLatin1String("TLS12") ? QSsl::TlsV1_2 : QSsl::TlsV1_2OrLater;
}

WebConfig::Tls tlsOf(Reader& r, const YAML::Node& node)
{
    WebConfig::Tls tls;
    const QString at = QStringLiteral("tls_server_config");
    QByteArray cert, key, clientCa;
    YAML::Node certAt = node, keyAt = node, caAt = node, minAt = node, maxAt = node;
    QString min = QStringLiteral("TLS12"), max = QStringLiteral("TLS13");
    bool certGiven = false, keyGiven = false;
    for (const auto& [name, value] : r.entries(
             node, at,
             {QStringLiteral("cert"), QStringLiteral("key"), QStringLiteral("client_ca"),
              QStringLiteral("cert_file"), QStringLiteral("key_file"), QStringLiteral("client_auth_type"),
              QStringLiteral("client_ca_file"), QStringLiteral("client_allowed_sans"),
              QStringLiteral("min_version"), QStringLiteral("max_version"), QStringLiteral("cipher_suites"),
              QStringLiteral("prefer_server_cipher_suites"), QStringLiteral("curve_preferences")})) {
        const QString full = at + u'.' + name;
        if (name == QLatin1String("cert") || name == QLatin1String("cert_file")) {
            if (certGiven)
                r.fail(
                    value, full,
                    QStringLiteral("the certificate is given both inline (cert) and as a file (cert_file)"));
            certGiven = true;
            certAt = value;
            cert = name == QLatin1String("cert") ? r.scalar(value, full).toUtf8() : r.file(value, full);
        }
        else if (name == QLatin1String("key") || name == QLatin1String("key_file")) {
            if (keyGiven)
                r.fail(value, full,
                       QStringLiteral("the key is given both inline (key) and as a file (key_file)"));
            keyGiven = true;
            keyAt = value;
            key = name == QLatin1String("key") ? r.scalar(value, full).toUtf8() : r.file(value, full);
        }
        else if (name == QLatin1String("client_ca") || name == QLatin1String("client_ca_file")) {
            if (!clientCa.isEmpty())
                r.fail(value, full, QStringLiteral("the client CA is given both inline and as a file"));
            caAt = value;
            clientCa =
                name == QLatin1String("client_ca") ? r.scalar(value, full).toUtf8() : r.file(value, full);
        }
        else if (name == QLatin1String("client_auth_type")) {
            QString type = r.scalar(value, full);
            if (type == QLatin1String("RequireClientCert")) // the toolkit's older name, still taken
                type = QStringLiteral("RequireAnyClientCert");
            const int i = int(ClientAuths.indexOf(type));
            if (i < 0)
                r.fail(value, full,
                       QStringLiteral("%1 is not %2")
                           .arg(said(r.scalar(value, full)), ClientAuths.join(QStringLiteral(", "))));
            tls.clientAuth = WebConfig::Tls::ClientAuth(i);
        }
        else if (name == QLatin1String("client_allowed_sans"))
            tls.allowedSans = r.list(value, full);
        else if (name == QLatin1String("min_version")) {
            minAt = value;
            min = r.scalar(value, full);
        }
        else if (name == QLatin1String("max_version")) {
            maxAt = value;
            max = r.scalar(value, full);
        }
        else if (name == QLatin1String("cipher_suites")) {
            for (const QString& suite : r.list(value, full)) {
                const auto known = std::find_if(Ciphers.begin(), Ciphers.end(), [&](const auto& c) {
                    return suite == QLatin1String(c.first);
                });
                const QSslCipher cipher =
                    known == Ciphers.end() ? QSslCipher() : QSslCipher(QLatin1String(known->second));
                if (cipher.isNull())
                    r.fail(value, full,
                           QStringLiteral("%1 is not a TLS 1.2 cipher suite this exporter offers")
                               .arg(said(suite)));
                tls.ciphers.append(cipher);
            }
        }
        else if (name == QLatin1String("prefer_server_cipher_suites"))
            tls.preferServerCiphers = r.boolean(value, full);
        else { // curve_preferences
            for (const QString& curve : r.list(value, full)) {
                const auto known = std::find_if(Curves.begin(), Curves.end(), [&](const auto& c) {
                    return curve == QLatin1String(c.first);
                });
                const QSslEllipticCurve e =
                    known == Curves.end() ? QSslEllipticCurve()
                                          : QSslEllipticCurve::fromShortName(QLatin1String(known->second));
                if (!e.isValid())
                    r.fail(value, full,
                           QStringLiteral("%1 is not CurveP256, CurveP384, CurveP521 or X25519")
                               .arg(said(curve)));
                tls.curves.append(e);
            }
        }
    }
    if (!certGiven || !keyGiven)
        r.fail(node, at,
               QStringLiteral("a certificate (cert_file or cert) and its key (key_file or key) are needed"));
    tls.chain = certificates(r, certAt, at + QStringLiteral(".cert_file"), cert);
    tls.key = privateKey(r, keyAt, at + QStringLiteral(".key_file"), key);
    if (!clientCa.isEmpty())
        tls.clientCa = certificates(r, caAt, at + QStringLiteral(".client_ca_file"), clientCa);
    const bool verifies = tls.clientAuth == WebConfig::Tls::VerifyClientCertIfGiven ||
                          tls.clientAuth == WebConfig::Tls::RequireAndVerifyClientCert;
    if (verifies && tls.clientCa.isEmpty())
        r.fail(node, at + QStringLiteral(".client_ca_file"),
               QStringLiteral("client certificates are verified, so a client CA is needed"));
    if (!tls.clientCa.isEmpty() && tls.clientAuth == WebConfig::Tls::NoClientCert)
        r.fail(node, at + QStringLiteral(".client_auth_type"),
               QStringLiteral("client CAs are configured without a client auth policy: say which "
                              "(VerifyClientCertIfGiven, RequireAndVerifyClientCert, ...), or every client "
                              "would be served without a certificate"));
    if (!tls.allowedSans.isEmpty() && tls.clientAuth != WebConfig::Tls::RequireAnyClientCert &&
        tls.clientAuth != WebConfig::Tls::RequireAndVerifyClientCert)
        r.fail(node, at + QStringLiteral(".client_allowed_sans"),
               QStringLiteral("needs client_auth_type RequireAnyClientCert or RequireAndVerifyClientCert"));
    tls.protocol = protocolOf(r, minAt, min, maxAt, max);
    return tls;
}

void httpOf(Reader& r, const YAML::Node& node, WebConfig& config)
{
    const QString at = QStringLiteral("http_server_config");
    for (const auto& [name, value] :
         r.entries(node, at, {QStringLiteral("http2"), QStringLiteral("headers")})) {
        if (name == QLatin1String("http2")) {
            r.boolean(value,
                      at + QStringLiteral(
                               ".http2")); // HTTP/1.1 is served: a client that asks for 2 is answered in it
            continue;
        }
        for (const auto& [header, v] : r.entries(value, at + QStringLiteral(".headers"), Headers)) {
            const QString full = at + QStringLiteral(".headers.") + header;
            const QString said_ = r.scalar(v, full);
            if (said_.contains(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]"))))
                r.fail(v, full, QStringLiteral("a header's value has no control characters"));
            if (header == QLatin1String("X-Frame-Options") &&
                said_.compare(QLatin1String("deny"), Qt::CaseInsensitive) &&
                said_.compare(QLatin1String("sameorigin"), Qt::CaseInsensitive))
                r.fail(v, full, QStringLiteral("%1 is not deny or sameorigin").arg(said(said_)));
            if (header == QLatin1String("X-Content-Type-Options") &&
                said_.compare(QLatin1String("nosniff"), Qt::CaseInsensitive))
                r.fail(v, full, QStringLiteral("%1 is not nosniff").arg(said(said_)));
            if (!said_.isEmpty()) // blank: not set
                config.headers.append({header.toLatin1(), said_.toUtf8()});
        }
    }
}

// A Go duration: "1s", "500ms", "1m30s", "0".
std::optional<qint64> durationMs(const QString& text)
{
    if (text == QLatin1String("0"))
        return 0;
    static const QRegularExpression part(QStringLiteral("(\\d+(?:\\.\\d+)?)(ns|us|µs|ms|s|m|h)"));
    double ms = 0;
    qsizetype at = 0;
    for (auto m = part.match(text); m.hasMatch() && m.capturedStart() == at; m = part.match(text, at)) {
        const double n = m.captured(1).toDouble();
        const QString unit = m.captured(2);
        ms += unit == QLatin1String("h")    ? n * 3600e3
              : unit == QLatin1String("m")  ? n * 60e3
              : unit == QLatin1String("s")  ? n * 1e3
              : unit == QLatin1String("ms") ? n
                                            : n / 1e3 / (unit == QLatin1String("ns") ? 1e3 : 1);
        at = m.capturedEnd();
    }
    if (at == 0 || at != text.size())
        return std::nullopt;
    return qint64(ms);
}
} // namespace

bool WebConfig::changedOnDisk() const
{
    return std::any_of(files.begin(), files.end(), [](const Read& r) {
        const QFileInfo now(r.path);
        return now.size() != r.size || now.lastModified() != r.modified;
    });
}

WebConfig readWebConfig(const QString& path)
{
    QString why;
    const std::optional<QByteArray> text =
        readInputFile(path, MostFileBytes, QStringLiteral("a web configuration"), &why);
    if (!text)
        throw WebConfigError{why};
    Reader r(path);
    r.note(path);
    YAML::Node root;
    try {
        root = YAML::Load(text->toStdString());
    }
    catch (const YAML::ParserException& e) {
        throw WebConfigError{QStringLiteral("%1:%2: not YAML: %3")
                                 .arg(path)
                                 .arg(e.mark.line + 1)
                                 .arg(QString::fromStdString(e.msg))};
    }
    WebConfig config;
    try {
        for (const auto& [name, value] :
             r.entries(root, {},
                       {QStringLiteral("tls_server_config"), QStringLiteral("http_server_config"),
                        QStringLiteral("basic_auth_users"), QStringLiteral("rate_limit")})) {
            if (name == QLatin1String("tls_server_config"))
                config.tls = tlsOf(r, value);
            else if (name == QLatin1String("http_server_config"))
                httpOf(r, value, config);
            else if (name == QLatin1String("basic_auth_users")) {
                static const QRegularExpression bcrypt(
                    QStringLiteral("^\\$2[aby]\\$(0[4-9]|[12][0-9]|3[01])\\$[./A-Za-z0-9]{53}$"));
                for (const auto& [user, hash] : r.entries(value, name, {})) {
                    const QString full = name + u'.' + user;
                    const QString h = r.scalar(hash, full);
                    if (!bcrypt.match(h).hasMatch())
                        r.fail(hash, full,
                               QStringLiteral("not a bcrypt hash ($2y$10$...): make one with htpasswd -nBC "
                                              "10 \"\" | tr -d ':\\n'"));
                    if (user.contains(u':'))
                        r.fail(hash, full, QStringLiteral("a user's name has no ':'"));
                    config.users.insert(user, h.toLatin1());
                }
            }
            else { // rate_limit
                WebConfig::RateLimit limit;
                for (const auto& [key, v] :
                     r.entries(value, name, {QStringLiteral("interval"), QStringLiteral("burst")})) {
                    const QString full = name + u'.' + key;
                    bool ok = true;
                    if (key == QLatin1String("interval")) {
                        const auto ms = durationMs(r.scalar(v, full));
                        if (!ms)
                            r.fail(
                                v, full,
                                QStringLiteral("%1 is no duration (1s, 500ms)").arg(said(r.scalar(v, full))));
                        limit.intervalMs = *ms;
                    }
                    else {
                        limit.burst = r.scalar(v, full).toInt(&ok);
                        if (!ok || limit.burst < 0)
                            r.fail(v, full, QStringLiteral("not a whole number of requests"));
                    }
                }
                if (limit.intervalMs > 0)
                    config.rateLimit = limit;
            }
        }
    }
    catch (const YAML::Exception& e) {
        throw WebConfigError{
            QStringLiteral("%1:%2: %3").arg(path).arg(e.mark.line + 1).arg(QString::fromStdString(e.msg))};
    }
    config.files = r.files;
    return config;
}

} // namespace talvik::ctl
