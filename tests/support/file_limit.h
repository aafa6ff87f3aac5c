#pragma once
// A whole simulated fleet in one process: 250 boards listen on 1,000 sockets, past the
// usual soft limit of 1,024 open files once the test's own are counted.

#include <sys/resource.h>

inline void raiseFileLimit()
{
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
}
