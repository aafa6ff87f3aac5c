#pragma once
// Ctrl-C and SIGTERM (Ctrl-C and Ctrl-Break in a Windows console). What a command has
// written is whole lines and whole backup files, written as each board is done, so an
// interruption ends the program at once, between two of them: it says how far the
// command came and exits with 130; a job of writes or reboots first lets the boards under
// way finish, and a second Ctrl-C ends that job at once. One the program does not get to
// (it is stuck) ends it the system's way.

#include <QString>
#include <functional>

namespace talvik::ctl {

constexpr int InterruptedExit = 130;

// Installs the handlers. `howFar` is asked for the last line on stderr ("37 of 254 boards done").
void endOnInterrupt(std::function<QString()> howFar);
// While set, the next interruption calls `stop` instead of ending the program: a job of
// writes lets the boards under way finish and reports the rest (and `stop` may set what the
// one after does). Empty: end at once again.
void stopGentlyOnInterrupt(std::function<void()> stop);

} // namespace talvik::ctl
