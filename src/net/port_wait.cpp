#include "net/port_wait.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

namespace talvik {

void openListenerWithin(Link& link, int waitMs, QObject* context, const std::function<void(bool open)>& done)
{
    if (link.isListening() || link.openListener())
        return done(true);
    if (waitMs <= 0)
        return done(false);
    auto* retry = new QTimer(context);
    const QDeadlineTimer deadline(waitMs);
    QObject::connect(retry, &QTimer::timeout, context, [&link, retry, deadline, done] {
        const bool open = link.isListening() || link.openListener();
        if (!open && !deadline.hasExpired())
            return;
        retry->deleteLater();
        retry->stop();
        done(open);
    });
    retry->start(PortRetryMs);
}

bool openListenerWaiting(Link& link, int waitMs)
{
    for (QDeadlineTimer deadline(waitMs);; QThread::msleep(PortRetryMs))
        if (link.isListening() || link.openListener() || deadline.hasExpired())
            return link.isListening();
}

} // namespace talvik
