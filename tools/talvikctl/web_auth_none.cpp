// Basic authentication where the build has no bcrypt (the Windows build): there is no web
// configuration there to name users, so every request is let through, as without one.

#include "web_auth.h"

namespace talvik::ctl {

BasicAuth::BasicAuth(QObject* parent) : QObject(parent) {}

BasicAuth::~BasicAuth() = default;

void BasicAuth::setUsers(const QHash<QString, QByteArray>& users)
{
    users_ = users;
}

QByteArray BasicAuth::digest(const QString&, const QByteArray&) const
{
    return {};
}

void BasicAuth::check(const QByteArray&, const QString&,
                      const std::function<void(Verdict, const QString&)>& done)
{
    done(users_.isEmpty() ? Allowed : Denied, {});
}

} // namespace talvik::ctl
