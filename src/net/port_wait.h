#pragma once
// The listening port is shared in time: talvikctl's exporter holds it only while a survey
// runs (some 40 ms for 250 boards, half a second for a /24 with silent addresses, under
// 1.5 s for ten thousand boards). A program that finds it taken tries again for a while
// before it says so: long enough for any such survey to end, short enough that an
// operator beside a program that keeps the port hears of it at once.

#include "net/link.h"

#include <functional>

class QObject;

namespace talvik {

constexpr int PortWaitMs = 2000;
constexpr int PortRetryMs = 50;

// Opens the link's listening socket, trying again every PortRetryMs for at most `waitMs`,
// without blocking; `done` gets whether it is open (at once when it opens at the first
// try). Nothing more happens once `context` is gone.
void openListenerWithin(Link& link, int waitMs, QObject* context, const std::function<void(bool open)>& done);
// The same for a command-line program, which may block while it waits.
bool openListenerWaiting(Link& link, int waitMs);

} // namespace talvik
