#include "tools/monkey/Options.h"

#include <charconv>
#include <random>
#include <string_view>

namespace korvanta::monkey {

namespace {

template <typename Number>
bool ReadNumber(std::string_view text, Number& value)
{
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    return failure == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv, std::string& error)
{
    Options options;
#ifdef KORVANTA_FUZZ_CORPUS
    options.corpus = KORVANTA_FUZZ_CORPUS;
#endif
#ifdef KORVANTA_HELP_DIR
    options.helpDir = KORVANTA_HELP_DIR;
#endif
    bool seeded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const auto eq = argument.find('=');
        const std::string_view name = argument.substr(0, eq);
        const std::string_view value = eq == std::string_view::npos ? "" : argument.substr(eq + 1);
        bool good = true;
        if (name == "--seed") {
            good = ReadNumber(value, options.seed);
            seeded = good;
        } else if (name == "--actions") {
            good = ReadNumber(value, options.actions) && options.actions > 0;
        } else if (name == "--minutes") {
            good = ReadNumber(value, options.minutes) && options.minutes > 0;
        } else if (name == "--seconds") {
            good = ReadNumber(value, options.minutes) && options.minutes > 0;
            options.minutes /= 60;
        } else if (name == "--hang-ms") {
            good = ReadNumber(value, options.hangMs) && options.hangMs > 0;
        } else if (name == "--log" && !value.empty()) {
            options.log = value;
        } else if (name == "--corpus" && !value.empty()) {
            options.corpus = value;
        } else if (name == "--help-dir" && !value.empty()) {
            options.helpDir = value;
        } else if (name == "--inject" && !value.empty()) {
            options.inject = value;
        } else if (argument == "--keep") {
            options.keep = true;
        } else {
            good = false;
        }
        if (!good) {
            error = "cannot use " + std::string(argument) +
                    "\nusage: korvanta-monkey [--seed=N] [--actions=N] [--minutes=M | --seconds=S] [--log=FILE]"
                    " [--corpus=DIR] [--help-dir=DIR] [--hang-ms=N] [--keep] [--inject=KIND]";
            return std::nullopt;
        }
    }
    if (!seeded)
        options.seed = (std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}();
    if (options.actions < 0 && options.minutes < 0)
        options.actions = 2000;
    return options;
}

}  // namespace korvanta::monkey
