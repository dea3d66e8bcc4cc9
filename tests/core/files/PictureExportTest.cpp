#include "core/files/PictureExport.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace korvanta {
namespace {

TEST(SaveExtensions, AppendedUnlessTheNameAlreadyEndsInThem)
{
    EXPECT_EQ(WithExtension("a", SaveFormat::Document), "a.Fra");
    EXPECT_EQ(WithExtension("a.fRA", SaveFormat::Document), "a.fRA");
    EXPECT_EQ(WithExtension("a.png", SaveFormat::Bmp), "a.png.Bmp");
    EXPECT_EQ(WithExtension("a.png", SaveFormat::Png), "a.png");
    EXPECT_EQ(WithExtension("a", SaveFormat::Png), "a.PNG");
    EXPECT_EQ(WithExtension("a", SaveFormat::Tga), "a.Tga");
    EXPECT_EQ(WithExtension("a.WMF", SaveFormat::Wmf), "a.WMF");
    EXPECT_EQ(WithExtension("a", SaveFormat::Wmf), "a.wmf");
    EXPECT_EQ(WithExtension("", SaveFormat::Bmp), ".Bmp");
}

TEST(SavePicture, WritesEveryFormatUnderTheNameAsGiven)
{
    const auto dir = test::TempDir("save");
    auto job = test::MandelbrotJob(30, 20);
    for (auto [format, name, size] :
         {std::tuple{SaveFormat::Bmp, "p.Bmp", std::size_t(92 * 20 + 54)},
          std::tuple{SaveFormat::Tga, "p.Tga", std::size_t(18 + 4 * 30 * 20)},
          std::tuple{SaveFormat::Png, "p.PNG", std::size_t(0)},
          std::tuple{SaveFormat::Wmf, "p.wmf", std::size_t(0)},
          std::tuple{SaveFormat::Document, "p.Fra", std::size_t(0)}}) {
        EXPECT_TRUE(SavePicture((dir / name).string(), format, *job).empty()) << name;
        ASSERT_TRUE(std::filesystem::exists(dir / name)) << name;
        if (size) {
            EXPECT_EQ(std::filesystem::file_size(dir / name), size) << name;
        }
    }
    // Nothing but the five files: no temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 5);
}

TEST(SavePicture, AFailedSaveKeepsTheEarlierFile)
{
    const auto dir = test::TempDir("save-fail");
    const auto path = dir / "p.wmf";
    auto small = test::MandelbrotJob(10, 10);
    ASSERT_TRUE(SavePicture(path.string(), SaveFormat::Wmf, *small).empty());
    const std::string before = test::ReadAll(path);

    RenderSettings s;
    s.m_nWidth = 40000;
    s.m_nHeight = 1;
    RenderJob wide(s, {});
    wide.CreateBitmaps();
    const SaveMessages messages = SavePicture(path.string(), SaveFormat::Wmf, wide);
    EXPECT_EQ(messages, SaveMessages{messages::kTooLargeForMetafile});
    EXPECT_EQ(test::ReadAll(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST(SavePicture, AFolderThatCannotBeWrittenIsReported)
{
    auto job = test::MandelbrotJob(4, 4);
    const std::string missing = "/nonexistent-korvanta-folder/p";
    EXPECT_EQ(SavePicture(missing, SaveFormat::Bmp, *job),
              SaveMessages{messages::kCannotOpenForWriting});
    EXPECT_EQ(SavePicture(missing, SaveFormat::Document, *job),
              SaveMessages{messages::kCannotOpenForWriting});
    EXPECT_EQ(SavePicture(missing, SaveFormat::Png, *job),
              SaveMessages{messages::kErrorWhileSaving});
}

TEST(SavePicture, NewFilesGetTheUsualPermissions)
{
    const auto dir = test::TempDir("save-mode");
    auto job = test::MandelbrotJob(4, 4);
    const mode_t mask = umask(022);
    ASSERT_TRUE(SavePicture((dir / "p.Bmp").string(), SaveFormat::Bmp, *job).empty());
    umask(mask);
    struct stat info {};
    ASSERT_EQ(stat((dir / "p.Bmp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(SavePicture, ReplacingKeepsPermissionsAndWritesThroughLinks)
{
    const auto dir = test::TempDir("save-replace");
    auto first = test::MandelbrotJob(4, 4);
    auto second = test::MandelbrotJob(6, 6);

    const auto privateFile = dir / "private.Bmp";
    ASSERT_TRUE(SavePicture(privateFile.string(), SaveFormat::Bmp, *first).empty());
    ASSERT_EQ(chmod(privateFile.c_str(), 0600), 0);
    ASSERT_TRUE(SavePicture(privateFile.string(), SaveFormat::Bmp, *second).empty());
    struct stat info {};
    ASSERT_EQ(stat(privateFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // A link, relative and through a second link, stays a link; its target gets the bytes.
    std::filesystem::create_directory(dir / "real");
    const auto target = dir / "real" / "p.Fra";
    ASSERT_TRUE(SavePicture(target.string(), SaveFormat::Document, *first).empty());
    std::filesystem::create_symlink("real/p.Fra", dir / "inner.Fra");
    std::filesystem::create_symlink(dir / "inner.Fra", dir / "outer.Fra");
    ASSERT_TRUE(SavePicture((dir / "outer.Fra").string(), SaveFormat::Document, *second).empty());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "outer.Fra"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "inner.Fra"));
    EXPECT_EQ(test::ReadAll(target), test::ReadAll(dir / "outer.Fra"));
    const auto expected = test::TempDir("save-replace-expected") / "p.Fra";
    ASSERT_TRUE(SavePicture(expected.string(), SaveFormat::Document, *second).empty());
    EXPECT_EQ(test::ReadAll(target), test::ReadAll(expected));
    // Nothing is left beside the link or the target.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "real"), {}), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 4);
}

}  // namespace
}  // namespace korvanta
