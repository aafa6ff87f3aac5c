#pragma once
// Limits of the process a test changes: open files for a whole simulated fleet in one
// process (250 boards listen on 1,000 sockets, past the usual soft limit of 1,024), and
// the size of the files it writes, for a full disk.

#include <csignal>
#include <sys/resource.h>

// The process may write files of at most `bytes` until this goes out of scope; writes past
// it fail as on a full disk.
struct FileSizeLimit {
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limited = old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

inline void raiseFileLimit()
{
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
}
