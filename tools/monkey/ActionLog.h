#pragma once

#include <cstdint>
#include <string>

namespace korvanta::monkey {

// Every action goes to standard error (and the log file) the moment it is taken, so a
// sanitizer's abort or a hard crash still leaves the way there on record. The last ones
// are also kept in fixed memory, for a signal handler to print.
class ActionLog {
public:
    static constexpr int kKept = 30;

    // Opens the log file (truncated); false when it cannot be made.
    static bool Open(const std::string& path);
    static void SetSeed(std::uint64_t seed);

    // One action or event worth seeing in the report.
    static void Note(const std::string& line);
    static long Count();

    // The seed and the last actions, with write(2) only: callable from a signal handler.
    static void Dump();
    // Writes to standard error and the log file alike; signal-safe.
    static void Say(const char* text);
};

}  // namespace korvanta::monkey
