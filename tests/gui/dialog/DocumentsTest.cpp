#include "support/GuiFixture.h"
#include "support/Pictures.h"

#include "core/files/ImageWriters.h"
#include "core/files/PictureExport.h"
#include "gui/shell/Wallpaper.h"

#include <QFileDialog>
#include <QPointer>
#include <QTimer>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class Documents : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        dir = test::TempDir("documents");
    }

    CFractalWnd* RenderSmall()
    {
        SetSize("40", "30");
        Check(kIdAspectRatio)->setChecked(false);
        return Render();
    }

    std::filesystem::path dir;
};

TEST_F(Documents, SaveAsThenLoadReopensTheWindowWhereItStopped)
{
    CFractalWnd* window = RenderSmall();
    for (int i = 0; i < 40 * 7 + 5; ++i)
        dialog->IdleStep(0);
    ASSERT_EQ(window->Job().Row(), 7);
    window->move(30, 40);
    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "half").string()), 1};
    window->OnSaveAs();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.filtersAsked.last(), "Korvanta File (*.Fra);;Bitmap File (*.bmp);;Tga File (*.Tga);;"
                                           "Png File (*.png);;Windows Meta File (*.wmf)");
    ASSERT_TRUE(std::filesystem::exists(dir / "half.Fra"));

    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "half").string()), 1};
    dialog->OnLoad();
    ASSERT_EQ(dialog->RenderWindows().size(), 2u);
    CFractalWnd* loaded = dialog->RenderWindows().back();
    EXPECT_EQ(loaded->Job().Row(), 7);
    EXPECT_EQ(loaded->Job().Column(), 5);
    EXPECT_EQ(loaded->Job().Settings().m_pDlg, dialog.get());
    EXPECT_EQ(loaded->size(), QSize(40, 30));
    EXPECT_EQ(loaded->pos(), QPoint(30, 40));
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished() && loaded->Job().Finished(); }));
    EXPECT_EQ(std::memcmp(loaded->Job().Pixels().data(), window->Job().Pixels().data(), 40 * 30 * 4), 0);
}

TEST_F(Documents, EveryImageFormatComesFromItsFilter)
{
    CFractalWnd* window = RenderSmall();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    const QString base = QString::fromStdString((dir / "pic.png").string());
    for (int filter = 1; filter <= 5; ++filter)
        prompts.answers << Prompter::FileChoice{base, filter};
    for (int filter = 1; filter <= 5; ++filter)
        window->OnSaveAs();
    EXPECT_TRUE(prompts.messages.isEmpty());
    for (const char* name : {"pic.png.Fra", "pic.png.Bmp", "pic.png.Tga", "pic.png", "pic.png.wmf"})
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    EXPECT_EQ(std::filesystem::file_size(dir / "pic.png.Bmp"), BmpFileSize(40, 30));
}

TEST_F(Documents, AFileThatIsNoDocumentShowsBothMessagesAndOpensNothing)
{
    std::ofstream(dir / "text.fra") << "frac and then some text";
    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "text.fra").string()), 1};
    dialog->OnLoad();
    EXPECT_EQ(prompts.messages,
              (QStringList{"Not a Korvanta file or file corrupted!", "Failure reading file!"}));
    EXPECT_TRUE(dialog->RenderWindows().empty());

    prompts.messages.clear();
    const QString missing = QString::fromStdString((dir / "missing").string());
    prompts.answers << Prompter::FileChoice{missing, 1};
    dialog->OnLoad();
    EXPECT_EQ(prompts.messages, QStringList{"Unable to open file \"" + missing + ".Fra\""});
}

TEST_F(Documents, SaveAsAsksBeforeReplacingTheFileItReallyWrites)
{
    CFractalWnd* small = RenderSmall();
    SetSize("60", "50");
    CFractalWnd* large = Render();
    ASSERT_TRUE(WaitFor([&] { return small->Job().Finished() && large->Job().Finished(); }));
    const QString typed = QString::fromStdString((dir / "pic").string());
    prompts.answers << Prompter::FileChoice{typed, 2};
    small->OnSaveAs();
    EXPECT_TRUE(prompts.questions.isEmpty());
    const std::string before = test::ReadAll(dir / "pic.Bmp");

    // The typed name does not exist, the name with its extension does.
    prompts.answers << Prompter::FileChoice{typed, 2};
    prompts.confirmations << false;
    large->OnSaveAs();
    EXPECT_EQ(prompts.questions, QStringList{"pic.Bmp already exists.\nDo you want to replace it?"});
    EXPECT_EQ(test::ReadAll(dir / "pic.Bmp"), before);

    prompts.answers << Prompter::FileChoice{typed, 2};
    prompts.confirmations << true;
    large->OnSaveAs();
    EXPECT_EQ(prompts.questions.size(), 2);
    EXPECT_EQ(std::filesystem::file_size(dir / "pic.Bmp"), BmpFileSize(60, 50));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Documents, FoldersAreNotDocuments)
{
    std::filesystem::create_directory(dir / "folder.fra");
    const QString folder = QString::fromStdString((dir / "folder.fra").string());
    EXPECT_FALSE(dialog->OpenDocumentFile(folder));
    EXPECT_EQ(prompts.messages, QStringList{"Unable to open file \"" + folder + "\""});
    EXPECT_TRUE(dialog->RenderWindows().empty());
}

// The real file dialogs take any name: the program completes it and answers for it.
TEST_F(Documents, FileDialogsAcceptNamesThatDoNotExistYetAndAskNothing)
{
    const QString missing = QString::fromStdString((dir / "missing").string());
    const QString existing = QString::fromStdString((dir / "there.Fra").string());
    std::ofstream(dir / "there.Fra") << "x";
    auto answerWith = [](const QString& name) {
        QTimer::singleShot(100, [name] {
            if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                // Typed as the user types it: the name field has the focus.
                files->setDirectory(QFileInfo(name).absolutePath());
                files->findChild<QLineEdit*>("fileNameEdit")->setText(QFileInfo(name).fileName());
                static_cast<QDialog*>(files)->accept();  // as the Open or Save button does
            }
        });
        // Whatever else opened (a complaint, a question) is closed, so a fault cannot hang.
        QTimer::singleShot(1500, [] {
            while (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
    };
    answerWith(missing);
    EXPECT_EQ(BoxPrompter().OpenFile(dialog.get(), "Korvanta File (*.fra)"), missing);
    answerWith(existing);
    const auto saved = BoxPrompter().SaveFile(dialog.get(), QString::fromStdString(SaveFilters()));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->path, existing);
}

TEST_F(Documents, ATruncatedDocumentOpensNoWindow)
{
    auto job = test::MandelbrotJob(20, 10, 50);
    const auto path = dir / "cut.fra";
    ASSERT_TRUE(SavePicture(path.string(), SaveFormat::Document, *job).empty());
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 10);
    EXPECT_FALSE(dialog->OpenDocumentFile(QString::fromStdString(path.string())));
    EXPECT_EQ(prompts.messages, QStringList{"Failure reading file!"});
    EXPECT_TRUE(dialog->RenderWindows().empty());
}

TEST(CommandLine, ADocumentNamedAtStartOpensAfterTheDialog)
{
    test::RecordingPrompter prompts;
    Prompter* previous = Prompter::Install(&prompts);
    const auto dir = test::TempDir("command-line");
    auto job = test::MandelbrotJob(20, 10);
    ASSERT_TRUE(SavePicture((dir / "Scene.FrA").string(), SaveFormat::Document, *job).empty());
    {
        CFractalDlg dialog(QString::fromStdString((dir / "Scene.FrA").string()));
        EXPECT_TRUE(dialog.RenderWindows().empty());  // opened once the dialog is up
        ASSERT_TRUE(WaitFor([&] { return dialog.RenderWindows().size() == 1; }));
        EXPECT_TRUE(dialog.RenderWindows().front()->Job().Finished());
    }
    {
        CFractalDlg dialog(QString::fromStdString((dir / "scene.fra").string()));
        ASSERT_TRUE(WaitFor([&] { return !prompts.messages.isEmpty(); }));
        EXPECT_EQ(prompts.messages.first(),
                  "Unable to open file \"" + QString::fromStdString((dir / "scene.fra").string()) + "\"");
    }
    prompts.messages.clear();
    {
        CFractalDlg dialog("abc");
        QApplication::processEvents();
        EXPECT_TRUE(dialog.RenderWindows().empty());
        EXPECT_TRUE(prompts.messages.isEmpty());
    }
    Prompter::Install(previous);
}

struct FakeDesktop {
    QStringList commands;
    QString listing;
    bool portalAnswers = false;
    QStringList programs;

    WallpaperSetter Setter(const QString& desktop)
    {
        WallpaperSetter setter;
        setter.desktop = desktop;
        setter.portal = [this](const QString&) { return portalAnswers; };
        setter.installed = [this](const QString& p) { return programs.contains(p); };
        setter.run = [this](const QString& program, const QStringList& args, QString* output) {
            commands << (QStringList{program} + args).join(' ');
            if (output)
                *output = listing;
            return 0;
        };
        return setter;
    }
};

TEST(Wallpaper, EachDesktopGetsItsOwnCommand)
{
    const QString path = "/data/Korvanta.bmp";
    {
        FakeDesktop d;
        EXPECT_TRUE(d.Setter("ubuntu:GNOME").Apply(path));
        EXPECT_EQ(d.commands,
                  (QStringList{"gsettings set org.gnome.desktop.background picture-uri file:///data/Korvanta.bmp",
                               "gsettings set org.gnome.desktop.background picture-uri-dark file:///data/Korvanta.bmp"}));
    }
    {
        FakeDesktop d;
        EXPECT_TRUE(d.Setter("KDE").Apply(path));
        EXPECT_EQ(d.commands, QStringList{"plasma-apply-wallpaperimage /data/Korvanta.bmp"});
    }
    {
        FakeDesktop d;
        d.listing = "/backdrop/screen0/monitor0/workspace0/last-image\n/backdrop/single-workspace-mode\n";
        EXPECT_TRUE(d.Setter("XFCE").Apply(path));
        EXPECT_EQ(d.commands.last(),
                  "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor0/workspace0/last-image -s /data/Korvanta.bmp");
    }
    {
        FakeDesktop d;
        d.programs << "xwallpaper";
        EXPECT_TRUE(d.Setter("").Apply(path));
        EXPECT_EQ(d.commands, QStringList{"xwallpaper --zoom /data/Korvanta.bmp"});
    }
    {
        FakeDesktop d;
        d.portalAnswers = true;
        EXPECT_TRUE(d.Setter("GNOME").Apply(path));
        EXPECT_TRUE(d.commands.isEmpty());
    }
    {
        FakeDesktop d;
        EXPECT_FALSE(d.Setter("").Apply(path));
    }
}

TEST_F(Documents, SetWallpaperWritesTheBitmapAndReportsWhatFails)
{
    CFractalWnd* window = RenderSmall();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    FakeDesktop d;
    SetWallpaper(window->Job(), window, d.Setter(""));
    EXPECT_EQ(prompts.messages, QStringList{"Could not update wallpaper"});
    EXPECT_EQ(std::filesystem::file_size(WallpaperPath().toStdString()), BmpFileSize(40, 30));

    // A bitmap that cannot be written is not applied.
    prompts.messages.clear();
    const auto target = std::filesystem::path(WallpaperPath().toStdString());
    std::filesystem::remove(target);
    std::filesystem::create_directory(target);  // a folder where the bitmap should go
    d.programs << "feh";
    SetWallpaper(window->Job(), window, d.Setter(""));
    std::filesystem::remove(target);
    EXPECT_EQ(prompts.messages, QStringList{"Error trying to open file for writing"});
    EXPECT_TRUE(d.commands.isEmpty());
}

}  // namespace
}  // namespace korvanta
