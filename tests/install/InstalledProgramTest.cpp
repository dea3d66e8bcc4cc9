// Run from the bin folder of an installed Korvanta (tests/install/installed-prefix.sh copies
// it there): the explorer's own code must find what the installation put beside it.
#include "support/GuiFixture.h"

#include "gui/resources/ControlIds.h"
#include "gui/shell/Help.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/MacroEngine.h"

#include <QDir>
#include <QDirIterator>
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
