#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvanta::monkey {

struct Options {
    std::uint64_t seed = 0;
    long actions = -1;     // stop after this many actions...
    double minutes = -1;   // ...or after this long; the first reached ends the run
    std::string log;       // every action also goes here, written as it is taken
    std::string corpus;    // data/fuzz: documents, macros and desktops to load
    std::string helpDir;   // the built guide
    int hangMs = 2000;     // the event loop may not be silent longer than this
    bool keep = false;     // keep the sandbox even without a finding
    std::string inject;    // a fault to make on purpose after a few actions
};

// Reads the command line; an error text instead when it makes no sense. Without --seed
// the seed comes from the system, and is printed like any other.
std::optional<Options> ParseOptions(int argc, char** argv, std::string& error);

}  // namespace korvanta::monkey
