// korvanta-render as a process: what its exit status and leftovers are when the world
// around it fails.
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace korvanta {
namespace {

struct Child {
    pid_t pid = -1;
    std::filesystem::path errors;

    int Wait() const
    {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    }
};

// Starts the tool with standard output to `out` and standard error to a file in `dir`.
Child Start(std::vector<std::string> args, const std::filesystem::path& dir, const char* out = "/dev/null")
{
    args.insert(args.begin(), KORVANTA_RENDER_TOOL);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    Child child;
    child.errors = dir / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out, O_WRONLY | O_TRUNC | O_CREAT, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, child.errors.c_str(),
                                     O_WRONLY | O_TRUNC | O_CREAT, 0644);
    EXPECT_EQ(posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

bool HasTemporaryFile(const std::filesystem::path& dir)
{
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().filename().string().starts_with(".korvanta."))
            return true;
    return false;
}

TEST(RenderToolProcess, AnInterruptedSaveLeavesNothingAndExitsWithTheSignalsStatus)
{
    for (auto [signal, status] : {std::pair{SIGTERM, 143}, {SIGINT, 130}}) {
        const auto dir = test::TempDir("interrupted");
        const auto out = dir / "out";
        std::filesystem::create_directory(out);
        // Quick to render (every point escapes at once), slow to compress.
        const Child child = Start({"-q", "--area=10,11,10,11", "--size=6000x6000",
                                   "-o", (out / "big.png").string()}, dir);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!HasTemporaryFile(out) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_TRUE(HasTemporaryFile(out)) << "the save never started";
        kill(child.pid, signal);
        EXPECT_EQ(child.Wait(), status);
        EXPECT_TRUE(std::filesystem::is_empty(out));
    }
}

TEST(RenderToolProcess, FailedOutputsSayWhy)
{
    const auto dir = test::TempDir("failing-outputs");
    if (std::filesystem::is_character_file("/dev/full")) {
        for (const char* option : {"--help", "--version"})
            EXPECT_EQ(Start({option}, dir, "/dev/full").Wait(), 1) << option;
        EXPECT_NE(test::ReadAll(dir / "stderr.txt").find("write error: No space left on device"),
                  std::string::npos);
        std::filesystem::create_symlink("/dev/full", dir / "full.bmp");
    }
    std::ofstream(dir / "locked.bmp") << "keep";
    std::filesystem::permissions(dir / "locked.bmp", std::filesystem::perms::owner_read);
    const Child child = Start({"-q", "--size=20x20", "-o", (dir / "locked.bmp").string(), "-o",
                               (dir / "fine.bmp").string(), "-o", (dir / "full.bmp").string()}, dir);
    EXPECT_EQ(child.Wait(), 1);
    const std::string errors = test::ReadAll(child.errors);
    EXPECT_NE(errors.find("locked.bmp: Error trying to open file for writing: Permission denied"),
              std::string::npos) << errors;
    if (std::filesystem::is_symlink(dir / "full.bmp")) {
        EXPECT_NE(errors.find("full.bmp: Error while saving file: No space left on device"),
                  std::string::npos) << errors;
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "fine.bmp"));
    EXPECT_EQ(test::ReadAll(dir / "locked.bmp"), "keep");

    // Inputs say why too.
    for (auto [input, why] : {std::pair{dir / "missing.fra", "No such file or directory"},
                              {dir, "Is a directory"}, {std::filesystem::path("/dev/null"), "not a plain file"}}) {
        const Child open = Start({"-q", "-d", input.string(), "-o", (dir / "never.bmp").string()}, dir);
        EXPECT_EQ(open.Wait(), 2);
        EXPECT_NE(test::ReadAll(open.errors).find("cannot open '" + input.string() + "': " + why),
                  std::string::npos) << test::ReadAll(open.errors);
    }
}

}  // namespace
}  // namespace korvanta
