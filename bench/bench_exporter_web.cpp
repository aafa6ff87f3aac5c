// talvikctl exporter behind a web configuration (TLS, basic auth, client certificates): a
// correct scrape's time while each hostile client of its list attacks, against the same
// scrape at rest, and the exporter's memory after them all.

#include "bench_support.h"
#include "client_tls.h"

#include <QDir>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

using namespace bench;

namespace {
constexpr int Scrapes = 20;

bool sh(const QString& command, const QString& dir)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start("sh", {"-c", command});
    return p.waitForFinished(60000) && p.exitCode() == 0;
}

quint16 freeTcpPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

// One correct scrape over TLS, its whole answer read; in ms, or -1 when it failed.
double scrape(quint16 port, const QString& dir, bool clientCertificate)
{
    QElapsedTimer t;
    t.start();
    QSslSocket s;
    s.setSslConfiguration(clientTls(dir, clientCertificate ? QStringLiteral("prometheus") : QString()));
    s.connectToHostEncrypted("127.0.0.1", port);
    if (!s.waitForEncrypted(5000))
        return -1;
    s.write("GET /metrics HTTP/1.1\r\nAuthorization: Basic " + QByteArray("prometheus:secret").toBase64() +
            "\r\n\r\n");
    QByteArray answer;
    while (s.waitForReadyRead(5000))
        answer += s.readAll();
    return answer.startsWith("HTTP/1.1 200 OK") ? double(t.nsecsElapsed()) / 1e6 : -1;
}

Sample scrapes(quint16 port, const QString& dir, bool clientCertificate, bool* allServed)
{
    Sample ms;
    for (int i = 0; i < Scrapes; ++i) {
        const double one = scrape(port, dir, clientCertificate);
        *allServed = *allServed && one >= 0;
        ms.add(qMax(0.0, one));
    }
    return ms;
}
} // namespace

void exporterWebFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("the exporter over TLS under attack"));
    QTemporaryDir dir;
    const QString d = dir.path();
    const bool made = sh(
        "for ca in ca other; do openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
        "-keyout $ca.key -out $ca.crt -days 2 -subj /CN=$ca 2>/dev/null; done; "
        "cert() { openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout $1.key -out "
        "$1.csr "
        "-subj /CN=$1 2>/dev/null; echo subjectAltName=$3 >$1.ext; openssl x509 -req -in $1.csr -CA $2.crt "
        "-CAkey $2.key -CAcreateserial -out $1.crt -days 2 -extfile $1.ext 2>/dev/null; }; "
        "cert exporter ca IP:127.0.0.1 && cert prometheus ca DNS:prometheus && cert stranger other "
        "DNS:prometheus && "
        "printf 'tls_server_config:\\n  cert_file: exporter.crt\\n  key_file: "
        "exporter.key\\nbasic_auth_users:\\n"
        "  prometheus: %s\\n' \"$(htpasswd -nbBC 10 '' secret | tr -d ':\\n')\" >auth.yml && "
        "printf 'tls_server_config:\\n  cert_file: exporter.crt\\n  key_file: exporter.key\\n  "
        "client_auth_type: "
        "RequireAndVerifyClientCert\\n  client_ca_file: ca.crt\\n' >mtls.yml",
        d);
    if (!made) {
        rows.push_back({"exporter over TLS under attack",
                        "could not make the certificates (openssl, htpasswd)", "-", "-", "-", false});
        return;
    }
    const quint16 auth = freeTcpPort(), mtls = freeTcpPort();
    const QString ctl = tool(QStringLiteral("../tools/talvikctl"));
    const auto start = [&](quint16 port, const QString& config) {
        return std::make_unique<Child>(
            ctl, QStringList{"exporter", "127.0.0.2", "--interval", "3600", "--timeout", "100",
                             "--local-port", QString::number(freeUdpPort()), "--web.listen-address",
                             QString("127.0.0.1:%1").arg(port), "--web.config.file", d + "/" + config});
    };
    auto authExporter = start(auth, "auth.yml");
    auto mtlsExporter = start(mtls, "mtls.yml");
    bool served = true;
    waitUntil([&] { return scrape(auth, d, false) >= 0 && scrape(mtls, d, true) >= 0; }, 10000);
    const Sample idle = scrapes(auth, d, false, &served);
    const Sample idleMtls = scrapes(mtls, d, true, &served);
    const ProcessUse atRest = use(authExporter->pid());
    const struct {
        const char* mode;
        const char* what;
        bool onMtls;
    } attacks[] = {
        {"plain", "plain HTTP to the TLS port, 20 at a time", false},
        {"stuck", "300 TLS handshakes that never finish", false},
        {"stranger", "client certificates of another CA", true},
        {"passwords", "wrong passwords, 50 at a time (bcrypt cost 10)", false},
        {"header", "1 MB Authorization headers, 10 at a time", false},
    };
    for (const auto& a : attacks) {
        progress(QStringLiteral("a scrape during: ") + a.what);
        Child attacker(tool(QStringLiteral("web_attack")),
                       {a.mode, QString::number(a.onMtls ? mtls : auth), d});
        attacker.line(10000); // started
        QThread::msleep(300); // in full swing
        bool ok = true;
        const Sample during = scrapes(a.onMtls ? mtls : auth, d, a.onMtls, &ok);
        ::kill(pid_t(attacker.pid()), SIGTERM);
        const double sent = attacker.number("sent");
        const Sample& rest = a.onMtls ? idleMtls : idle;
        rows.push_back(
            {QStringLiteral("exporter over TLS: a correct scrape during %1 (%2 sent)").arg(a.what).arg(sent),
             during.text(1) + " ms, all served: " + (ok ? "yes" : "no"), rest.text(1) + " ms at rest",
             plus(during.max() - rest.median(), 1) + " ms (worst)", "<= at rest + 50 ms, every one served",
             ok && during.max() <= rest.median() + 50});
        served = served && ok;
    }
    const ProcessUse after = use(authExporter->pid());
    rows.push_back({"exporter over TLS: peak memory after every attack", n(after.peakMb, 1) + " MB",
                    n(atRest.rssMb, 1) + " MB at rest", plus(after.peakMb - atRest.rssMb, 1) + " MB",
                    "<= at rest + 32 MB", after.peakMb <= atRest.rssMb + 32});
}
