#pragma once
// Whether a UDP socket may send to a broadcast address. Qt allows it on every UDP
// socket it opens and has no option to take it back, so this asks the system itself.

#include <QtGlobal>

namespace talvik {

bool setSocketBroadcast(qintptr descriptor, bool allowed);

} // namespace talvik
