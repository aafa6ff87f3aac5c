#pragma once
// Many datagrams off a UDP socket in one system call where the system has one (recvmmsg
// on Linux): under a burst the reader spends its time taking datagrams, not entering and
// leaving the kernel, and the socket's buffer does not fill behind it. Elsewhere, and
// when the call is missing, nothing is read here and the caller reads one at a time.

#include "net/link.h"

#include <QList>
#include <QtGlobal>

namespace talvik {

class BatchReader {
  public:
    // `largest`: the biggest datagram taken; a larger one is dropped.
    BatchReader(int largest, int most);
    ~BatchReader();
    BatchReader(const BatchReader&) = delete;
    BatchReader& operator=(const BatchReader&) = delete;

    static bool available();
    // Appends what the socket holds now, at most `most` datagrams; returns how many were
    // read off the socket (oversized ones too), 0 when it held none, -1 on an error.
    int read(qintptr descriptor, QList<Datagram>& into);

  private:
    struct Buffers;
    Buffers* buffers_;
    int largest_;
    int most_;
};

} // namespace talvik
