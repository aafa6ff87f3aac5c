#pragma once

#include <QString>

namespace talvik {

// The current local time in the system's long time format, without a time zone
// (a log line only needs the clock).
QString longTimeNow();

} // namespace talvik
