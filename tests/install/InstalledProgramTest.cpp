// Run from the bin folder of an installed Korvanta (tests/install/installed-prefix.sh copies
// it there): the explorer's own code must find what the installation put beside it.
#include "support/GuiFixture.h"

#include "gui/resources/ControlIds.h"
#include "gui/shell/FractalAboutDlg.h"
#include "gui/shell/FractalLink.h"
#include "gui/shell/Help.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/MacroEngine.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace korvanta {
namespace {

using test::GuiTest;

// The data folder an installed program keeps beside its bin folder.
QString InstalledData()
{
    return QDir(QCoreApplication::applicationDirPath() + "/../share/korvanta").canonicalPath();
}

class Installed : public GuiTest {
protected:
    void TearDown() override
    {
        if (dialog && dialog->Macros().CurrentState() == MacroEngine::State::Playing)
            dialog->Macros().CancelPlayback();
        CloseHelpWindow();
        GuiTest::TearDown();
    }
};

TEST_F(Installed, HelpOpensTheInstalledGuideWithAllItsPictures)
{
    ASSERT_FALSE(InstalledData().isEmpty()) << "no share/korvanta beside " << QCoreApplication::applicationDirPath().toStdString();
    ASSERT_EQ(HelpFolder(), InstalledData() + "/help");

    QTest::mouseClick(dialog->Control(kIdHelp), Qt::LeftButton);
    auto* guide = qobject_cast<CHelpWindow*>(LastHelpWindow().data());
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->Browser()->source().toLocalFile().startsWith(InstalledData() + "/help/"));
    EXPECT_FALSE(guide->Browser()->document()->isEmpty());
    EXPECT_GT(guide->Contents()->count(), 1);

    // Every picture a page shows was installed with it.
    const QRegularExpression picture(R"(<img[^>]*\bsrc="([^"]+)\")");
    int pictures = 0;
    for (QDirIterator pages(HelpFolder(), {"*.html"}); pages.hasNext();) {
        QFile page(pages.next());
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        for (const auto& match : picture.globalMatch(QString::fromUtf8(page.readAll()))) {
            ++pictures;
            EXPECT_TRUE(QFileInfo::exists(HelpFolder() + '/' + match.captured(1)))
                << page.fileName().toStdString() << " shows " << match.captured(1).toStdString();
        }
    }
    EXPECT_GT(pictures, 0);
}

TEST_F(Installed, TheGuidesShowMeLinksPlayTheInstalledSampleMacros)
{
    for (int number = 1; number <= 3; ++number)
        EXPECT_EQ(SampleMacroPath(number),
                  InstalledData() + QString("/macros/Sample%1.frm").arg(number));
    dialog->OnHelp();
    auto* guide = qobject_cast<CHelpWindow*>(LastHelpWindow().data());
    ASSERT_NE(guide, nullptr);
    emit guide->Browser()->anchorClicked(QUrl("korvanta-card:1"));
    EXPECT_EQ(dialog->Macros().CurrentState(), MacroEngine::State::Playing);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(' ').toStdString();
}

QString InstalledFile(const QString& path)
{
    QFile file(QCoreApplication::applicationDirPath() + "/../share/" + path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The About box and the installed AppStream data and desktop entry name the same program
// at the same addresses.
TEST_F(Installed, TheAboutBoxShowsTheAddressesTheDesktopFilesCarry)
{
    const QString metainfo = InstalledFile("metainfo/" KORVANTA_APP_ID ".metainfo.xml");
    ASSERT_FALSE(metainfo.isEmpty());
    EXPECT_FALSE(InstalledFile("applications/" KORVANTA_APP_ID ".desktop").isEmpty());
    const auto element = [&](const QString& pattern) {
        return QRegularExpression(pattern).match(metainfo).captured(1);
    };
    CFractalAboutDlg box(dialog.get(), [](const QUrl&) { return true; });
    EXPECT_EQ(box.HomePageLink()->text(), element(R"(<url type="homepage">([^<]*)</url>)"));
    EXPECT_EQ(box.ContactLink()->text(), element(R"(<update_contact>([^<]*)</update_contact>)"));
    EXPECT_EQ(element(R"(<id>([^<]*)</id>)"), KORVANTA_APP_ID);
    EXPECT_EQ(box.HomePageLink()->text(), KORVANTA_HOMEPAGE);
    EXPECT_EQ(box.ContactLink()->text(), KORVANTA_CONTACT);
}

// The license the About box names for each library is the one of its installed notice.
TEST_F(Installed, TheAboutBoxNamesTheLicensesOfTheNotices)
{
    const QString notices = InstalledFile("doc/korvanta/THIRD-PARTY-NOTICES.md");
    ASSERT_FALSE(notices.isEmpty());
    CFractalAboutDlg box(dialog.get(), [](const QUrl&) { return true; });
    const QString credit = box.findChild<QLabel*>("credit")->text();
    const QRegularExpression library(R"((\w+) \([^)]*\) under the ([^,.]+))");
    int libraries = 0;
    for (const auto& match : library.globalMatch(credit)) {
        ++libraries;
        const qsizetype start = notices.indexOf("\n## " + match.captured(1));
        ASSERT_GE(start, 0) << match.captured(1).toStdString() << " has no notice";
        const QString section = notices.mid(start, notices.indexOf("\n## ", start + 1) - start);
        EXPECT_TRUE(section.contains("Used under the " + match.captured(2), Qt::CaseInsensitive))
            << match.captured(1).toStdString() << ": " << match.captured(2).toStdString();
    }
    EXPECT_EQ(libraries, 3);
}

// Icons are shapes, not squares: clear at the corners, solid in the middle, at every size.
TEST(InstalledIcons, HaveClearCornersAtEverySize)
{
    const QString hicolor = QCoreApplication::applicationDirPath() + "/../share/icons/hicolor/";
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        for (const char* icon : {"apps/korvanta", "mimetypes/application-x-korvanta-document",
                                 "mimetypes/application-x-korvanta-macro"}) {
            const QString path = hicolor + QString("%1x%1/%2.png").arg(size).arg(icon);
            const QImage image(path);
            ASSERT_FALSE(image.isNull()) << path.toStdString() << " is missing";
            EXPECT_EQ(image.size(), QSize(size, size)) << path.toStdString();
            EXPECT_TRUE(image.hasAlphaChannel()) << path.toStdString();
            const int last = size - 1;
            for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
                EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << path.toStdString() << " at "
                                                           << corner.x() << ',' << corner.y();
            EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << path.toStdString();
        }
}

// The shared MIME database of the installation (XDG_DATA_DIRS names it): documents by name
// and by content, macros by name.
TEST(InstalledFileTypes, DocumentsAndMacrosHaveTheirOwnTypes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QByteArray document = QByteArray("Frac") + QByteArray(60, '\1');
    QMimeDatabase types;
    const QMimeType byName = types.mimeTypeForFile(write("picture.FRA", document));
    EXPECT_EQ(byName.name(), "application/x-korvanta-document");
    EXPECT_EQ(byName.comment(), "Korvanta document");
    EXPECT_EQ(byName.iconName(), "application-x-korvanta-document");
    EXPECT_EQ(types.mimeTypeForFile(write("renamed", document)).name(),
              "application/x-korvanta-document");
    EXPECT_EQ(types.mimeTypeForFile(write("not-a-document", QByteArray("Frog") + QByteArray(60, '\1'))).name(),
              "application/octet-stream");
    EXPECT_EQ(types.mimeTypeForFile(write("demo.frm", QByteArray(24, '\0'))).name(),
              "application/x-korvanta-macro");
}

}  // namespace
}  // namespace korvanta
