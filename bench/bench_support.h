#pragma once
// Small helpers shared by the benchmarks: medians, peers on other threads, the table.

#include <QByteArray>
#include <QHostAddress>
#include <QSemaphore>
#include <QString>
#include <QThread>
#include <QUdpSocket>
#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Runs `setup` on a thread of its own with an event loop; blocks until setup returned.
class PeerThread : public QThread {
  public:
    explicit PeerThread(std::function<void()> setup) : setup_(std::move(setup)) {}
    ~PeerThread() override
    {
        quit();
        wait();
    }
    void startAndWait()
    {
        start();
        ready_.acquire();
    }

  protected:
    void run() override
    {
        setup_();
        ready_.release();
        exec();
        teardown();
    }
    virtual void teardown() {}

  private:
    std::function<void()> setup_;
    QSemaphore ready_;
};

struct Row {
    QString figure;
    QString value;
    QString floor;
    QString ratio;
    QString target;
    bool met;
};

} // namespace bench
