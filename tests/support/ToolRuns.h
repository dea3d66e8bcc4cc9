#pragma once

#include "tools/korvanta-render/RenderTool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace korvanta::test {

struct ToolRun {
    int status;
    std::string out, err;
};

// korvanta-render's whole command line, run in this process.
inline ToolRun RunTool(std::vector<std::string> args)
{
    args.insert(args.begin(), "korvanta-render");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    const int status = RunRenderTool(static_cast<int>(args.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

// A command line that must be refused as bad input (status 2) with `message` in its error.
struct Refusal {
    std::vector<std::string> args;
    const char* message;
};

inline void ExpectRefused(const std::vector<Refusal>& cases)
{
    for (const Refusal& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

inline std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A command run by the shell; its exit status, or -1 when it did not exit.
inline int RunShell(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace korvanta::test
