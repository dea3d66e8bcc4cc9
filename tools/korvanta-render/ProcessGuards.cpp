#include "tools/korvanta-render/ProcessGuards.h"

#include "core/files/TemporaryFiles.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace korvanta {

namespace {

extern "C" void OnInterrupt(int signal)
{
    RemoveTemporaryFilesNow();
    _exit(128 + signal);
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt()
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        if (sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

int FinishStandardOutput(int status)
{
    errno = 0;
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed)
        return status;
    const int error = errno ? errno : EIO;
    std::fprintf(stderr, "korvanta-render: write error: %s\n", std::strerror(error));
    return status == 0 ? 1 : status;
}

}  // namespace korvanta
