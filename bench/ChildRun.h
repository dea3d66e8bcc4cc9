#pragma once

// Runs this benchmark again as a child process with one argument, so that a step's peak
// memory is its own: returns what the child printed and its peak resident memory.
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace korvanta::bench {

struct ChildRun {
    std::string output;
    double peakMiB = 0;
};

inline ChildRun RunSelf(const char* argument)
{
    ChildRun run;
    int out[2];
    if (pipe(out) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    char self[] = "/proc/self/exe";
    char* args[] = {self, const_cast<char*>(argument), nullptr};
    pid_t child = 0;
    const bool started = posix_spawn(&child, self, &actions, nullptr, args, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char buffer[256];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, static_cast<std::size_t>(got));
    close(out[0]);
    if (!started)
        return run;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.peakMiB = usage.ru_maxrss / 1024.0;
    return run;
}

}  // namespace korvanta::bench
