#pragma once
// Basic authentication of the exporter's scrapers: "Authorization: Basic ..." checked
// against the web configuration's bcrypt hashes with libxcrypt's crypt_r, on worker threads,
// so that no check holds the event loop; a user the file does not name costs the same time
// as one it does. A password checked once is remembered (a salted digest, not the password),
// so a scrape every 15 s pays bcrypt once; a wrong one is never remembered.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QThreadPool>
#include <functional>

namespace talvik::ctl {

class BasicAuth : public QObject {
    Q_OBJECT
  public:
    // Checks waiting for a worker at most, and of them from one client address: one more is
    // told to come back (429) at once, so that a flood of wrong passwords holds no memory, and
    // one flooding address leaves room for the others' first checks. A password verified
    // before never waits.
    static constexpr int MostWaiting = 32;
    static constexpr int MostWaitingFromOneAddress = 4;

    explicit BasicAuth(QObject* parent = nullptr);
    ~BasicAuth() override;
    // The users and their hashes; none: no password is asked. What was remembered is kept for
    // the users whose hash stays the same.
    void setUsers(const QHash<QString, QByteArray>& users);
    bool required() const { return !users_.isEmpty(); }

    enum Verdict { Allowed, Denied, Busy };
    // The Authorization header's value (empty when none). `done` runs on this thread, at once
    // when the answer is known without bcrypt.
    void check(const QByteArray& header, const QString& from,
               const std::function<void(Verdict, const QString& user)>& done);

  private:
    QByteArray digest(const QString& user, const QByteArray& password) const;

    QHash<QString, QByteArray> users_;
    QByteArray decoy_; // a hash of the users' cost, checked for a user the file does not name
    QByteArray salt_;  // of the remembered digests, this process's own
    QHash<QString, QByteArray> remembered_; // user: digest of the password last verified
    QThreadPool workers_;
    int waiting_ = 0;
    QHash<QString, int> waitingFrom_; // by client address
    quint64 generation_ = 0;          // of the users: a check begun before a change is no answer after it
};

} // namespace talvik::ctl
