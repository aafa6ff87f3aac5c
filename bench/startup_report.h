#pragma once
// What a start-up probe reports: the moment its event loop runs, and its peak memory.

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// VmHWM of this process, in kB.
inline long peakResidentKb()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kb = std::atol(line + 6);
    std::fclose(f);
    return kb;
}

// Once the event loop runs: print "ready <peak kB>" at once and quit.
inline void reportWhenRunning()
{
    QTimer::singleShot(0, [] {
        std::printf("ready %ld\n", peakResidentKb());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
}
