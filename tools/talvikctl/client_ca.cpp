#include "client_ca.h"

#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

namespace talvik::ctl {

namespace {
X509* toX509(const QSslCertificate& certificate)
{
    const QByteArray der = certificate.toDer();
    const auto* bytes = reinterpret_cast<const unsigned char*>(der.constData());
    return d2i_X509(nullptr, &bytes, long(der.size()));
}
} // namespace

struct ClientCa::Store {
    X509_STORE* store = X509_STORE_new();
    ~Store() { X509_STORE_free(store); }
};

ClientCa::ClientCa(const QList<QSslCertificate>& cas) : store_(std::make_shared<Store>())
{
    for (const QSslCertificate& ca : cas)
        if (X509* x = toX509(ca)) {
            X509_STORE_add_cert(store_->store, x); // takes its own reference
            X509_free(x);
        }
}

QStringList ClientCa::urisOf(const QSslCertificate& certificate)
{
    QStringList out;
    X509* x = toX509(certificate);
    if (!x)
        return out;
    auto* names = static_cast<GENERAL_NAMES*>(X509_get_ext_d2i(x, NID_subject_alt_name, nullptr, nullptr));
    for (int i = 0; names && i < sk_GENERAL_NAME_num(names); ++i) {
        const GENERAL_NAME* name = sk_GENERAL_NAME_value(names, i);
        if (name->type == GEN_URI)
            out.append(QString::fromUtf8(
                reinterpret_cast<const char*>(ASN1_STRING_get0_data(name->d.uniformResourceIdentifier)),
                ASN1_STRING_length(name->d.uniformResourceIdentifier)));
    }
    GENERAL_NAMES_free(names);
    X509_free(x);
    return out;
}

bool ClientCa::issued(const QList<QSslCertificate>& chain) const
{
    if (chain.isEmpty() || !store_->store)
        return false;
    X509* leaf = toX509(chain.first());
    STACK_OF(X509)* sent = sk_X509_new_null();
    for (qsizetype i = 1; i < chain.size(); ++i)
        if (X509* x = toX509(chain[i]))
            sk_X509_push(sent, x);
    X509_STORE_CTX* context = X509_STORE_CTX_new();
    const bool ok = leaf && context && X509_STORE_CTX_init(context, store_->store, leaf, sent) == 1 &&
                    X509_STORE_CTX_set_purpose(context, X509_PURPOSE_SSL_CLIENT) == 1 &&
                    X509_verify_cert(context) == 1;
    X509_STORE_CTX_free(context);
    sk_X509_pop_free(sent, X509_free);
    X509_free(leaf);
    return ok;
}

} // namespace talvik::ctl
