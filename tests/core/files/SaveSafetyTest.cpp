#include "core/files/AtomicFile.h"
#include "core/files/PictureExport.h"
#include "core/files/TemporaryFiles.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvanta {
namespace {

std::size_t CountFiles(const std::filesystem::path& dir)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(SaveSafety, AFileNobodyMayWriteIsRefusedWithTheReasonAndKept)
{
    const auto dir = test::TempDir("save-readonly");
    const auto path = dir / "locked.Bmp";
    std::ofstream(path) << "keep me";
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    std::error_code reason;
    const SaveMessages messages = SavePicture(path.string(), SaveFormat::Bmp, *test::MandelbrotJob(4, 4), {}, &reason);
    EXPECT_EQ(messages, SaveMessages{messages::kCannotOpenForWriting});
    EXPECT_EQ(reason, std::errc::permission_denied);
    EXPECT_EQ(test::ReadAll(path), "keep me");
    EXPECT_EQ(CountFiles(dir), 1u);
}

TEST(SaveSafety, ReplacingKeepsTheOwner)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    const auto dir = test::TempDir("save-owner");
    const auto path = dir / "theirs.Fra";
    ASSERT_TRUE(SavePicture(path.string(), SaveFormat::Document, *test::MandelbrotJob(4, 4)).empty());
    ASSERT_EQ(chown(path.c_str(), 4321, 8765), 0);
    ASSERT_TRUE(SavePicture(path.string(), SaveFormat::Document, *test::MandelbrotJob(6, 6)).empty());
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 8765u);
}

TEST(SaveSafety, ALinkToADeviceWritesTheDeviceAndReportsItsFailure)
{
    if (!std::filesystem::is_character_file("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const auto dir = test::TempDir("save-device");
    const auto link = dir / "full.Bmp";
    std::filesystem::create_symlink("/dev/full", link);
    std::error_code reason;
    const SaveMessages messages = SavePicture(link.string(), SaveFormat::Bmp, *test::MandelbrotJob(40, 40), {}, &reason);
    EXPECT_EQ(messages, SaveMessages{messages::kErrorWhileSaving});
    EXPECT_EQ(reason, std::errc::no_space_on_device);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    // A folder is no file to write.
    EXPECT_EQ(SavePicture(dir.string(), SaveFormat::Bmp, *test::MandelbrotJob(4, 4), {}, &reason).size(), 1u);
    EXPECT_EQ(reason, std::errc::is_a_directory);
}

TEST(SaveSafety, NamesAsLongAsTheFolderTakesSave)
{
    const auto dir = test::TempDir("save-long");
    for (std::size_t length : {245u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".Tga";
        EXPECT_TRUE(SavePicture((dir / name).string(), SaveFormat::Tga, *test::MandelbrotJob(4, 4)).empty())
            << length;
    }
    EXPECT_EQ(CountFiles(dir), 2u);
}

// A process id that no process has now: a child that has exited and been reaped.
pid_t DeadProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST(SaveSafety, AnotherSaveSweepsOnlyStaleTemporaryFilesOfOurs)
{
    const auto dir = test::TempDir("save-sweep");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
    auto leave = [&](const std::string& name, bool stale) {
        std::ofstream(dir / name) << "partial";
        if (stale)
            std::filesystem::last_write_time(dir / name, old);
    };
    const std::string dead = std::to_string(DeadProcess());
    leave(".korvanta." + dead + ".a1B2c3", true);             // killed long ago: swept
    leave(".korvanta." + dead + ".d4E5f6", false);            // touched just now: kept
    leave(".korvanta." + std::to_string(getppid()) + ".g7H8i9", true);  // its writer lives
    leave(".korvanta.notanumber.j1K2l3", true);
    leave("holiday.Bmp.tmp-x1Y2z3", true);                    // not ours
    ASSERT_TRUE(SavePicture((dir / "p.Bmp").string(), SaveFormat::Bmp, *test::MandelbrotJob(4, 4)).empty());
    EXPECT_FALSE(std::filesystem::exists(dir / (".korvanta." + dead + ".a1B2c3")));
    EXPECT_EQ(CountFiles(dir), 5u);
}

TEST(SaveSafety, TemporaryFilesAreHiddenAndRemovedOnRequest)
{
    const auto dir = test::TempDir("save-registry");
    AtomicFile file(dir / "p.Bmp");
    ASSERT_TRUE(file.IsOpen());
    const std::string name = file.TempPath().filename().string();
    EXPECT_EQ(name.rfind(".korvanta." + std::to_string(getpid()) + ".", 0), 0u) << name;
    EXPECT_TRUE(std::filesystem::exists(file.TempPath()));
    RemoveTemporaryFilesNow();  // what an interrupted program does
    EXPECT_EQ(CountFiles(dir), 0u);
    EXPECT_FALSE(file.Commit());
}

}  // namespace
}  // namespace korvanta
