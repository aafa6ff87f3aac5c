#pragma once
// Work that may take long (a journal of a million lines read) done on a thread of the pool,
// its result handed back on the thread of `context`, a window's, so that the window stays
// usable meanwhile. Nothing comes back once `context` is gone; the work shares nothing with
// it (it captures copies), so it may end on its own.

#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QThreadPool>
#include <functional>
#include <memory>

namespace talvik::fleet {

template <typename T>
void offThread(QObject* context, std::function<T()> work, std::function<void(const T&)> done)
{
    auto promise = std::make_shared<QPromise<T>>();
    auto* watcher = new QFutureWatcher<T>(context);
    QObject::connect(watcher, &QFutureWatcher<T>::finished, context, [watcher, done = std::move(done)] {
        watcher->deleteLater();
        if (watcher->future().resultCount() > 0)
            done(watcher->result());
    });
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)] {
        promise->addResult(work());
        promise->finish();
    });
}

} // namespace talvik::fleet
