#include "web_auth.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <crypt.h>
#include <memory>

namespace talvik::ctl {

namespace {
// crypt_r's answer for `password` with the salt and cost of `hash`, compared in a time that
// does not depend on where they differ.
bool matches(const QByteArray& password, const QByteArray& hash)
{
    auto data = std::make_unique<crypt_data>(); // 32 KB: not on a worker's stack
    const char* out = crypt_r(password.constData(), hash.constData(), data.get());
    if (!out || qstrlen(out) != size_t(hash.size()))
        return false;
    unsigned char differ = 0;
    for (qsizetype i = 0; i < hash.size(); ++i)
        differ |= static_cast<unsigned char>(out[i] ^ hash[i]);
    return differ == 0;
}

bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char differ = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        differ |= static_cast<unsigned char>(a[i] ^ b[i]);
    return differ == 0;
}

QByteArray randomBytes(int n)
{
    QByteArray out(n, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(out.data()), n / 4);
    return out;
}
} // namespace

BasicAuth::BasicAuth(QObject* parent) : QObject(parent), salt_(randomBytes(32))
{
    // One core stays free for the event loop, which serves the scrapes that are remembered.
    workers_.setMaxThreadCount(qMax(1, QThread::idealThreadCount() - 1));
}

BasicAuth::~BasicAuth()
{
    ++generation_;
    workers_.waitForDone();
}

void BasicAuth::setUsers(const QHash<QString, QByteArray>& users)
{
    // A password verified stays verified while its user's hash is the same (a reload for a
    // new certificate must not make Prometheus wait behind a flood of wrong passwords).
    for (auto it = remembered_.begin(); it != remembered_.end();)
        it = users.value(it.key()) == users_.value(it.key()) ? std::next(it) : remembered_.erase(it);
    users_ = users;
    // A decoy of the highest cost among the users: an unknown name costs no less.
    QByteArray cost = "10";
    for (const QByteArray& hash : users)
        cost = qMax(cost, hash.mid(4, 2));
    static const char alphabet[] = "./ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray decoy = "$2y$" + cost + '$';
    for (int i = 0; i < 53; ++i)
        decoy += alphabet[QRandomGenerator::system()->bounded(64)];
    decoy_ = decoy;
}

QByteArray BasicAuth::digest(const QString& user, const QByteArray& password) const
{
    return QCryptographicHash::hash(salt_ + user.toUtf8() + '\0' + password + '\0' + users_.value(user),
                                    QCryptographicHash::Sha256);
}

void BasicAuth::check(const QByteArray& header, const QString& from,
                      const std::function<void(Verdict, const QString&)>& done)
{
    if (!required())
        return done(Allowed, {});
    if (header.size() < 6 || header.left(6).compare("Basic ", Qt::CaseInsensitive) != 0) // RFC 7617: any case
        return done(Denied, {});
    const QByteArray decoded = QByteArray::fromBase64(header.mid(6).trimmed());
    const qsizetype colon = decoded.indexOf(':');
    if (colon < 0)
        return done(Denied, {});
    const QString user = QString::fromUtf8(decoded.left(colon));
    const QByteArray password = decoded.mid(colon + 1);
    if (password.contains('\0')) // crypt_r would check only what comes before it
        return done(Denied, user);
    const QByteArray hash = users_.value(user, decoy_);
    const bool known = users_.contains(user);
    const QByteArray sum = digest(user, password);
    if (known && sameBytes(remembered_.value(user), sum))
        return done(Allowed, user);
    if (waiting_ >= MostWaiting || waitingFrom_.value(from) >= MostWaitingFromOneAddress)
        return done(Busy, user);
    ++waiting_;
    ++waitingFrom_[from];
    const quint64 generation = generation_;
    workers_.start([this, password, hash, known, user, sum, generation, from, done] {
        const bool ok = matches(password, hash) && known;
        QMetaObject::invokeMethod(
            this,
            [this, ok, user, sum, hash, generation, from, done] {
                --waiting_;
                if (--waitingFrom_[from] <= 0)
                    waitingFrom_.remove(from);
                // Checked against the hash the user still has (a reload may have changed it).
                const bool current = generation == generation_ && users_.value(user) == hash;
                if (ok && current)
                    remembered_.insert(user, sum);
                done(ok && current ? Allowed : Denied, user);
            },
            Qt::QueuedConnection);
    });
}

} // namespace talvik::ctl
