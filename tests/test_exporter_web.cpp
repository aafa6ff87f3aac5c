// talvikctl exporter behind a web configuration, as Prometheus' own exporters are: the file
// checked at start, TLS with and without client certificates, basic authentication, a
// certificate replaced while it serves, and hostile clients, each refused while a correct
// scrape is still served.

#include "ctl_fleet.h"

#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QtTest>

using namespace talvik::sim;

namespace {
// openssl and htpasswd, as an administrator makes the files.
bool run(const QString& program, const QStringList& args, const QString& folder, QByteArray* out = nullptr)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return false;
    if (out)
        *out = p.readAllStandardOutput();
    return true;
}

// A CA, and a certificate it signs for `name` (the server's has 127.0.0.1 among its names).
bool makeCa(const QString& dir, const QString& ca)
{
    return run("openssl",
               {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                "-keyout", ca + ".key", "-out", ca + ".crt", "-days", "30", "-subj", "/CN=" + ca},
               dir);
}
bool makeCert(const QString& dir, const QString& ca, const QString& name, const QString& sans)
{
    QFile ext(dir + "/" + name + ".ext");
    return ext.open(QIODevice::WriteOnly) && ext.write(("subjectAltName=" + sans + "\n").toUtf8()) > 0 &&
           (ext.close(), true) &&
           run("openssl",
               {"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                name + ".key", "-out", name + ".csr", "-subj", "/CN=" + name},
               dir) &&
           run("openssl",
               {"x509", "-req", "-in", name + ".csr", "-CA", ca + ".crt", "-CAkey", ca + ".key",
                "-CAcreateserial", "-out", name + ".crt", "-days", "30", "-extfile", name + ".ext"},
               dir);
}

quint16 freeTcpPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

struct Exporter {
    QProcess process;
    quint16 port = freeTcpPort();
    explicit Exporter(const QString& config)
    {
        // Its board's ports are the discard port's: the default ones include 6767, where
        // another test's window may be listening.
        process.start(program(), {"exporter", "127.0.0.2", "--local-port", "0", "--ports", "9,9,9",
                                  "--interval", "3600", "--timeout", "100", "--web.listen-address",
                                  QString("127.0.0.1:%1").arg(port), "--web.config.file", config});
        process.waitForStarted();
    }
    ~Exporter()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
    bool listening() const
    {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        return s.waitForConnected(200);
    }
};

// One request and its whole answer; over TLS when `tls`, with the CA the server's certificate
// is checked against, and a client certificate when given.
struct Client {
    explicit Client(const QString& folder) : dir(folder) {}
    QString dir;
    QByteArray get(quint16 port, const QByteArray& request, bool tls = true, const QString& cert = {})
    {
        QSslSocket s;
        if (tls) {
            QSslConfiguration c = s.sslConfiguration();
            c.setCaCertificates(QSslCertificate::fromPath(dir + "/ca.crt"));
            if (!cert.isEmpty()) {
                c.setLocalCertificate(QSslCertificate::fromPath(dir + "/" + cert + ".crt").value(0));
                QFile key(dir + "/" + cert + ".key");
                key.open(QIODevice::ReadOnly);
                c.setPrivateKey(QSslKey(key.readAll(), QSsl::Ec));
            }
            s.setSslConfiguration(c);
            s.connectToHostEncrypted("127.0.0.1", port);
        }
        else {
            s.connectToHost(QHostAddress::LocalHost, port);
        }
        QByteArray answer;
        QDeadlineTimer deadline(5000);
        bool sent = false;
        while (s.state() != QAbstractSocket::UnconnectedState && !deadline.hasExpired()) {
            if (!sent && (tls ? s.isEncrypted() : s.state() == QAbstractSocket::ConnectedState)) {
                s.write(request);
                sent = true;
            }
            QTest::qWait(2);
            answer += s.readAll();
        }
        lastPeer = s.peerCertificate();
        return answer + s.readAll();
    }
    QByteArray scrape(quint16 port, const QByteArray& auth = "alice:secret", bool tls = true,
                      const QString& cert = {})
    {
        return get(port,
                   "GET /metrics HTTP/1.1\r\nHost: x\r\nAuthorization: Basic " + auth.toBase64() + "\r\n\r\n",
                   tls, cert);
    }
    QSslCertificate lastPeer;
};
} // namespace

class TestExporterWeb : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QByteArray hash;     // "secret", bcrypt of cost 4: quick, for a flood of wrong passwords
    QByteArray slowHash; // of cost 12, as an administrator makes it: a check takes a while

    void write(const QString& name, const QByteArray& text)
    {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

  private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("openssl").isEmpty() ||
            QStandardPaths::findExecutable("htpasswd").isEmpty())
            QSKIP("needs openssl and htpasswd (make deps installs them)");
        QVERIFY(makeCa(dir.path(), "ca") && makeCa(dir.path(), "other"));
        QVERIFY(makeCert(dir.path(), "ca", "server", "IP:127.0.0.1"));
        QVERIFY(makeCert(dir.path(), "ca", "renewed", "IP:127.0.0.1"));
        QVERIFY(makeCert(dir.path(), "ca", "prometheus", "DNS:prometheus"));
        QVERIFY(makeCert(dir.path(), "ca", "spiffe", "URI:spiffe://dispatch/prometheus"));
        QVERIFY(makeCert(dir.path(), "other", "stranger", "DNS:prometheus"));
        QVERIFY(run("htpasswd", {"-nbBC", "4", "", "secret"}, dir.path(), &hash));
        hash = hash.trimmed().mid(1);
        QVERIFY(run("htpasswd", {"-nbBC", "12", "", "secret"}, dir.path(), &slowHash));
        slowHash = slowHash.trimmed().mid(1);
    }

    // A file that is not what the format says: exit 2 naming the file, line and key; nothing served.
    void aWebConfigurationIsCheckedAtStart_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("said");
        const QByteArray tls = "tls_server_config:\n  cert_file: server.crt\n  key_file: server.key\n";
        QTest::newRow("an unknown key")
            << QByteArray("tls_server_config:\n  certfile: server.crt\n")
            << "web.yml:2: tls_server_config.certfile: not a key of the web configuration";
        QTest::newRow("a bad version")
            << tls + "  min_version: TLS9\n"
            << "web.yml:4: tls_server_config.min_version: 'TLS9' is not TLS10, TLS11, TLS12 or TLS13";
        QTest::newRow("TLS 1.0") << tls + "  min_version: TLS10\n"
                                 << "web.yml:4: tls_server_config.min_version: TLS10 is not served";
        QTest::newRow("a hash of another kind") << QByteArray("basic_auth_users:\n  alice: $6$salt$abc\n")
                                                << "web.yml:2: basic_auth_users.alice: not a bcrypt hash";
        QTest::newRow("a missing file")
            << QByteArray("tls_server_config:\n  cert_file: gone.crt\n  key_file: server.key\n")
            << "web.yml:2: tls_server_config.cert_file:";
        QTest::newRow("a key that is not the certificate's")
            << QByteArray("tls_server_config:\n  cert_file: server.crt\n  key_file: prometheus.key\n")
            << "web.yml: tls_server_config: the certificate and key do not make a TLS server";
        QTest::newRow("verified clients without a CA")
            << tls + "  client_auth_type: RequireAndVerifyClientCert\n"
            << "tls_server_config.client_ca_file: client certificates are verified";
        QTest::newRow("a client CA without an auth type (everyone would be served)")
            << tls + "  client_ca_file: ca.crt\n"
            << "tls_server_config.client_auth_type: client CAs are configured without a client auth policy";
        QTest::newRow("not YAML") << QByteArray("tls_server_config: [\n") << "web.yml:2: not YAML";
    }
    void aWebConfigurationIsCheckedAtStart()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, said);
        write("web.yml", file);
        Exporter e(dir.filePath("web.yml"));
        QVERIFY(e.process.waitForFinished(10000));
        QCOMPARE(e.process.exitCode(), 2);
        const QString err = QString::fromUtf8(e.process.readAllStandardError());
        QVERIFY2(err.contains(said), qPrintable(err));
        QVERIFY(!e.listening());
    }

    // TLS with basic authentication: the right password is served, a wrong one or none is 401
    // with a challenge, a user the file does not name too; the headers the file gives are sent.
    void tlsAndPasswords()
    {
        write("web.yml", "tls_server_config:\n  cert_file: server.crt\n  key_file: "
                         "server.key\nbasic_auth_users:\n  alice: " +
                             hash +
                             "\nhttp_server_config:\n  headers:\n    X-Content-Type-Options: nosniff\n");
        Exporter e(dir.filePath("web.yml"));
        Client c(dir.path());
        QTRY_VERIFY(e.listening());
        const QByteArray ok = c.scrape(e.port);
        QVERIFY2(ok.startsWith("HTTP/1.1 200 OK") && ok.contains("X-Content-Type-Options: nosniff\r\n") &&
                     ok.contains("talvik_exporter_build_info{version="),
                 ok.left(300).constData());
        for (const QByteArray& auth : {QByteArray("alice:wrong"), QByteArray("mallory:secret")}) {
            const QByteArray no = c.scrape(e.port, auth);
            QVERIFY2(no.startsWith("HTTP/1.1 401") && no.contains("WWW-Authenticate: Basic"), no.constData());
        }
        QVERIFY(c.get(e.port, "GET /metrics HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 401"));
        QVERIFY(c.get(e.port, "GET /-/healthy HTTP/1.1\r\nAuthorization: Basic " +
                                  QByteArray("alice:secret").toBase64() + "\r\n\r\n")
                    .contains("Healthy"));
    }

    // Client certificates: one of the client CA is served; one of another CA is refused, and
    // the exporter says why; none at all is refused where one is required. Checked against the
    // file's CA alone.
    void clientCertificates_data()
    {
        QTest::addColumn<QString>("authType");
        QTest::addColumn<bool>("withoutServed");
        QTest::addColumn<QString>("client");
        QTest::newRow("RequireAndVerifyClientCert") << "RequireAndVerifyClientCert" << false << "prometheus";
        QTest::newRow("VerifyClientCertIfGiven") << "VerifyClientCertIfGiven" << true << "prometheus";
        QTest::newRow("RequireClientCert, the older name; a URI among the names")
            << "RequireClientCert" << false << "spiffe";
    }
    void clientCertificates()
    {
        QFETCH(QString, authType);
        QFETCH(bool, withoutServed);
        QFETCH(QString, client);
        write("web.yml", "tls_server_config:\n  cert_file: server.crt\n  key_file: server.key\n"
                         "  client_auth_type: " +
                             authType.toUtf8() + "\n  client_ca_file: ca.crt\n" +
                             (withoutServed ? ""
                                            : "  client_allowed_sans: [prometheus, "
                                              "'spiffe://dispatch/prometheus']\n"));
        Exporter e(dir.filePath("web.yml"));
        Client c(dir.path());
        QTRY_VERIFY(e.listening());
        QVERIFY(c.scrape(e.port, {}, true, client).startsWith("HTTP/1.1 200 OK"));
        if (authType != "RequireClientCert") // any certificate will do there
            QVERIFY(c.scrape(e.port, {}, true, "stranger").isEmpty());
        QCOMPARE(c.scrape(e.port, {}, true).startsWith("HTTP/1.1 200 OK"), withoutServed);
        e.process.terminate();
        e.process.waitForFinished(5000);
        const QByteArray said = e.process.readAllStandardError();
        QVERIFY2(said.contains("refused: TLS") || said.contains("refused: no client certificate") ||
                     said.contains("refused: a client certificate the client CA did not issue"),
                 said.constData());
    }

    // A certificate replaced on disk while it serves: the next connections get the new one,
    // and no scrape in between fails. A file that became invalid is said, and the last good one kept.
    void aCertificateReplacedWhileServing()
    {
        for (const char* part : {"crt", "key"}) {
            QFile::remove(dir.filePath(QString("live.") + part));
            QVERIFY(
                QFile::copy(dir.filePath(QString("server.") + part), dir.filePath(QString("live.") + part)));
        }
        write(
            "web.yml",
            "tls_server_config:\n  cert_file: live.crt\n  key_file: live.key\nbasic_auth_users:\n  alice: " +
                hash + "\n");
        Exporter e(dir.filePath("web.yml"));
        Client c(dir.path());
        QTRY_VERIFY(e.listening());
        QVERIFY(c.scrape(e.port).startsWith("HTTP/1.1 200 OK"));
        const QSslCertificate first = c.lastPeer;
        for (const char* part : {"key", "crt"}) { // as a renewal writes them: each file replaced whole
            QFile::remove(dir.filePath(QString("next.") + part));
            QVERIFY(
                QFile::copy(dir.filePath(QString("renewed.") + part), dir.filePath(QString("next.") + part)));
            QVERIFY(
                QFile::remove(dir.filePath(QString("live.") + part)) &&
                QFile::rename(dir.filePath(QString("next.") + part), dir.filePath(QString("live.") + part)));
        }
        QElapsedTimer t;
        for (t.start(); t.elapsed() < 1500;)
            QVERIFY(c.scrape(e.port).startsWith("HTTP/1.1 200 OK"));
        QVERIFY(c.lastPeer != first);
        QCOMPARE(c.lastPeer, QSslCertificate::fromPath(dir.filePath("renewed.crt")).value(0));

        write("web.yml",
              "tls_server_config:\n  cert_file: live.crt\n  key_file: live.key\n  min_version: TLS9\n");
        for (t.start(); t.elapsed() < 1500;)
            QVERIFY(c.scrape(e.port).startsWith("HTTP/1.1 200 OK"));
        e.process.terminate();
        e.process.waitForFinished(5000);
        const QByteArray err = e.process.readAllStandardError();
        QVERIFY2(err.contains("web.yml:4: tls_server_config.min_version") &&
                     err.contains("the last good web configuration is kept"),
                 err.constData());
    }

    // Hostile clients, each refused, and a correct scrape served in the middle of each.
    void hostileClients()
    {
        write("web.yml", "tls_server_config:\n  cert_file: server.crt\n  key_file: "
                         "server.key\nbasic_auth_users:\n  alice: " +
                             hash + "\n");
        write("plain.yml", "basic_auth_users:\n  alice: " + hash + "\n");
        Exporter e(dir.filePath("web.yml")), plain(dir.filePath("plain.yml"));
        Client c(dir.path());
        QTRY_VERIFY(e.listening() && plain.listening());

        // Plain HTTP to the TLS port: told so, as Go's servers tell it, and nothing served.
        const QByteArray plainAnswer = c.get(e.port, "GET /metrics HTTP/1.1\r\n\r\n", false);
        QVERIFY2(plainAnswer.startsWith("HTTP/1.1 400") &&
                     plainAnswer.contains("an HTTP request to an HTTPS server"),
                 plainAnswer.constData());

        // 300 handshakes that never finish, open at once (the exporter gives each its 5 s).
        std::vector<std::unique_ptr<QTcpSocket>> stuck;
        for (int i = 0; i < 300; ++i) {
            stuck.push_back(std::make_unique<QTcpSocket>());
            stuck.back()->connectToHost(QHostAddress::LocalHost, e.port);
        }
        QTRY_VERIFY(std::all_of(stuck.begin(), stuck.end(),
                                [](auto& s) { return s->state() == QAbstractSocket::ConnectedState; }));
        QVERIFY(c.scrape(e.port).startsWith("HTTP/1.1 200 OK"));
        stuck.clear();

        // A 1 MB Authorization header: refused for its size.
        QVERIFY(c.scrape(e.port, QByteArray(768 * 1024, 'a')).startsWith("HTTP/1.1 431"));

        // 10,000 wrong passwords, a hundred at a time: each 401, or 429 while too many wait.
        int refused = 0, served = 0;
        std::vector<std::unique_ptr<QTcpSocket>> flood;
        const QByteArray wrong = "GET /metrics HTTP/1.1\r\nAuthorization: Basic " +
                                 QByteArray("alice:wrong").toBase64() + "\r\n\r\n";
        for (int sent = 0; sent < 10000 || !flood.empty();) {
            while (sent < 10000 && flood.size() < 100) {
                flood.push_back(std::make_unique<QTcpSocket>());
                flood.back()->connectToHost(QHostAddress::LocalHost, plain.port);
                flood.back()->write(wrong);
                ++sent;
            }
            QTest::qWait(1);
            for (auto it = flood.begin(); it != flood.end();) {
                const QByteArray head = (*it)->peek(16);
                if ((*it)->state() == QAbstractSocket::UnconnectedState || head.size() >= 12) {
                    refused += head.startsWith("HTTP/1.1 401") || head.startsWith("HTTP/1.1 429");
                    served += head.startsWith("HTTP/1.1 200");
                    it = flood.erase(it);
                }
                else
                    ++it;
            }
            if (sent == 5000) // in the middle of it
                QVERIFY(c.scrape(plain.port, "alice:secret", false).startsWith("HTTP/1.1 200 OK"));
        }
        QCOMPARE(served, 0);
        QVERIFY2(refused > 9900, qPrintable(QString::number(refused)));
        QVERIFY(c.scrape(plain.port, "alice:secret", false).startsWith("HTTP/1.1 200 OK"));
    }

    // Without cipher_suites, TLS 1.2 is offered as Go offers it: ECDHE with an AEAD cipher only.
    void defaultSuitesAreGos_data()
    {
        QTest::addColumn<QString>("suite");
        QTest::addColumn<bool>("served");
        QTest::newRow("ECDHE with GCM") << "ECDHE-ECDSA-AES128-GCM-SHA256" << true;
        QTest::newRow("ECDHE with ChaCha20") << "ECDHE-ECDSA-CHACHA20-POLY1305" << true;
        QTest::newRow("ECDHE with CBC") << "ECDHE-ECDSA-AES128-SHA" << false;
        QTest::newRow("ECDHE with CBC and SHA-256") << "ECDHE-ECDSA-AES128-SHA256" << false;
    }
    void defaultSuitesAreGos()
    {
        QFETCH(QString, suite);
        QFETCH(bool, served);
        write("tls.yml", "tls_server_config:\n  cert_file: server.crt\n  key_file: server.key\n");
        Exporter e(dir.filePath("tls.yml"));
        QTRY_VERIFY(e.listening());
        QSslSocket s;
        QSslConfiguration c = s.sslConfiguration();
        c.setCaCertificates(QSslCertificate::fromPath(dir.filePath("ca.crt")));
        c.setProtocol(QSsl::TlsV1_2);
        c.setCiphers(suite);
        s.setSslConfiguration(c);
        s.connectToHostEncrypted("127.0.0.1", e.port);
        QCOMPARE(s.waitForEncrypted(5000), served);
    }

    // 50 clients from one address flooding wrong passwords (bcrypt of cost 12), reloaded
    // meanwhile: Prometheus, from another address, scraping every 0.5 s, is answered every
    // time, never told to come back: its first check gets a slot beside the flood's few, and
    // once verified it never waits, across the reload too.
    void theRightClientIsServedThroughAFlood()
    {
        write("flood.yml", "basic_auth_users:\n  alice: " + slowHash + "\n");
        Exporter e(dir.filePath("flood.yml"));
        QTRY_VERIFY(e.listening());
        const QByteArray wrong = "GET /metrics HTTP/1.1\r\nAuthorization: Basic " +
                                 QByteArray("alice:wrong").toBase64() + "\r\n\r\n";
        std::vector<std::unique_ptr<QTcpSocket>> flood;
        const auto keepFlooding = [&] {
            flood.erase(
                std::remove_if(flood.begin(), flood.end(),
                               [](auto& s) { return s->state() == QAbstractSocket::UnconnectedState; }),
                flood.end());
            while (flood.size() < 50) {
                flood.push_back(std::make_unique<QTcpSocket>());
                flood.back()->connectToHost(QHostAddress::LocalHost, e.port);
                flood.back()->write(wrong);
            }
        };
        for (QElapsedTimer t; !t.isValid() || t.elapsed() < 1000; QTest::qWait(5)) { // the flood first
            if (!t.isValid())
                t.start();
            keepFlooding();
        }
        int answered = 0, scrapes = 0;
        for (; scrapes < 16; ++scrapes) {
            if (scrapes == 8) // read again (it changed on disk), the users as they were
                write("flood.yml", "basic_auth_users:\n  alice: " + slowHash + "\n\n");
            QTcpSocket s;
            s.bind(QHostAddress("127.0.0.2"), 0);
            s.connectToHost(QHostAddress::LocalHost, e.port);
            s.write("GET /metrics HTTP/1.1\r\nAuthorization: Basic " + QByteArray("alice:secret").toBase64() +
                    "\r\n\r\n");
            QElapsedTimer t;
            t.start();
            QByteArray got;
            while (t.elapsed() < 10000 && got.size() < 12) { // a bound, not a pace: a refusal comes at once
                keepFlooding();
                QTest::qWait(5);
                got += s.readAll();
            }
            answered += got.startsWith("HTTP/1.1 200");
            while (t.elapsed() < 500) {
                keepFlooding();
                QTest::qWait(5);
            }
        }
        QVERIFY2(answered == scrapes, qPrintable(QString("%1 of %2").arg(answered).arg(scrapes)));
    }

    // The scheme's name in any case (RFC 7617); a password is all of it, a NUL byte included.
    void passwordsAsTheStandardSays_data()
    {
        QTest::addColumn<QByteArray>("authorization");
        QTest::addColumn<QByteArray>("status");
        QTest::newRow("Basic") << "Basic " + QByteArray("alice:secret").toBase64()
                               << QByteArray("HTTP/1.1 200");
        QTest::newRow("basic") << "basic " + QByteArray("alice:secret").toBase64()
                               << QByteArray("HTTP/1.1 200");
        QTest::newRow("a NUL and more after the password")
            << "Basic " + QByteArray("alice:secret\0more", 17).toBase64() << QByteArray("HTTP/1.1 401");
    }
    void passwordsAsTheStandardSays()
    {
        QFETCH(QByteArray, authorization);
        QFETCH(QByteArray, status);
        write("plain.yml", "basic_auth_users:\n  alice: " + hash + "\n");
        Exporter e(dir.filePath("plain.yml"));
        QTRY_VERIFY(e.listening());
        const QByteArray got =
            Client(dir.path())
                .get(e.port, "GET /metrics HTTP/1.1\r\nAuthorization: " + authorization + "\r\n\r\n", false);
        QVERIFY2(got.startsWith(status), got.left(64).constData());
    }

    // Clients with a wrong password that keep sending after their request's head, over TLS: a
    // body is refused at once, and nothing after a head is kept while a password is checked.
    void nothingIsKeptBeforeThePasswordIsChecked_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("status");
        const QByteArray wrong = "Authorization: Basic " + QByteArray("alice:wrong").toBase64() + "\r\n";
        QTest::newRow("a POST with a body of a gigabyte")
            << "POST /metrics HTTP/1.1\r\n" + wrong + "Content-Length: 1000000000\r\n\r\n"
            << QByteArray("HTTP/1.1 405");
        QTest::newRow("a GET, then bytes on and on") << "GET /metrics HTTP/1.1\r\n" + wrong + "\r\n"
                                                     << QByteArray("HTTP/1.1 401");
    }
    void nothingIsKeptBeforeThePasswordIsChecked()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, status);
        write("slow.yml", "tls_server_config:\n  cert_file: server.crt\n  key_file: server.key\n"
                          "basic_auth_users:\n  alice: " +
                              slowHash + "\n");
        Exporter e(dir.filePath("slow.yml"));
        QTRY_VERIFY(e.listening());
        const auto peak = [&] { // the exporter's resident peak, kB
            QFile f(QString("/proc/%1/status").arg(e.process.processId()));
            f.open(QIODevice::ReadOnly);
            const QByteArray s = f.readAll();
            return s.mid(s.indexOf("VmHWM:") + 6).trimmed().split(' ').value(0).toLongLong();
        };
        const auto connected = [&] {
            std::vector<std::unique_ptr<QSslSocket>> clients;
            for (int i = 0; i < 4; ++i) {
                clients.push_back(std::make_unique<QSslSocket>());
                QSslConfiguration c = clients.back()->sslConfiguration();
                c.setCaCertificates(QSslCertificate::fromPath(dir.filePath("ca.crt")));
                clients.back()->setSslConfiguration(c);
                clients.back()->connectToHostEncrypted("127.0.0.1", e.port);
            }
            [&] {
                QTRY_VERIFY(
                    std::all_of(clients.begin(), clients.end(), [](auto& s) { return s->isEncrypted(); }));
            }();
            return clients;
        };
        const QByteArray chunk(64 * 1024, 'x');
        // A client that sends a little more and then listens gets its answer.
        for (auto& s : connected()) {
            s->write(request + chunk);
            QByteArray got;
            QTRY_VERIFY_WITH_TIMEOUT(
                (got += s->readAll()).size() >= 12 || s->state() != QAbstractSocket::ConnectedState, 10000);
            got += s->readAll();
            QVERIFY2(got.startsWith(status), got.left(64).constData());
        }
        // Clients that keep sending as fast as they can for 3 s: their bytes are not kept, and
        // each is closed within a few seconds.
        const qint64 before = peak();
        auto clients = connected();
        for (auto& s : clients)
            s->write(request);
        QElapsedTimer t;
        t.start();
        qint64 offered = 0;
        while (t.elapsed() < 3000) {
            for (auto& s : clients)
                if (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < 1024 * 1024) {
                    s->write(chunk);
                    offered += chunk.size();
                }
            QTest::qWait(1);
        }
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(clients.begin(), clients.end(),
                        [](auto& s) { return s->state() != QAbstractSocket::ConnectedState; }),
            10000);
        const qint64 grown = peak() - before;
        QVERIFY2(grown < 16 * 1024,
                 qPrintable(QString("%1 kB more, %2 MB offered").arg(grown).arg(offered >> 20)));
    }
};

QTEST_GUILESS_MAIN(TestExporterWeb)
#include "test_exporter_web.moc"
