#pragma once
// The CAs of a web configuration's client_ca_file, loaded once per configuration: a client's
// certificate is checked against them alone, never against the system's store (which Qt's
// QSslCertificate::verify() reads anew on every call: some 150 ms a connection).

#include <QList>
#include <QSslCertificate>
#include <QStringList>
#include <memory>

namespace talvik::ctl {

class ClientCa {
  public:
    explicit ClientCa(const QList<QSslCertificate>& cas = {});
    // Whether `chain` (the client's own certificate first, then what it sent to lead up from
    // it) ends at one of the CAs, each certificate in force and fit for a TLS client.
    bool issued(const QList<QSslCertificate>& chain) const;

    // The URIs among a certificate's subject alternative names (Qt lists only DNS names, email
    // and IP addresses).
    static QStringList urisOf(const QSslCertificate& certificate);

  private:
    struct Store;
    std::shared_ptr<Store> store_;
};

} // namespace talvik::ctl
