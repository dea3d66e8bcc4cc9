#include "support/GuiFixture.h"

#include "gui/shell/FractalAboutDlg.h"
#include "gui/shell/FractalLink.h"

#include <QLabel>
#include <QMenuBar>
#include <QTimer>

namespace korvanta {
namespace {

using test::GuiTest;

class About : public GuiTest {
protected:
    QString LabelText(const QWidget& box, const char* name)
    {
        const auto* label = box.findChild<QLabel*>(name);
        return label ? label->text() : QString("(missing)");
    }
};

TEST_F(About, ShowsNameVersionAuthorsCreditsAndAPicture)
{
    CFractalAboutDlg box(dialog.get(), [](const QUrl&) { return true; });
    box.show();
    EXPECT_EQ(box.windowTitle(), "About Korvanta");
    EXPECT_EQ(LabelText(box, "version"), "Korvanta Version 1.15");
    EXPECT_FALSE(LabelText(box, "authorship").isEmpty());
    for (const char* library : {"zlib", "libpng", "Qt"})
        EXPECT_TRUE(LabelText(box, "credit").contains(library)) << library;
    EXPECT_EQ(box.HomePageLink()->text(), CFractalAboutDlg::kHomePage);
    EXPECT_EQ(box.ContactLink()->text(), CFractalAboutDlg::kContact);
    const QPixmap picture = box.findChild<QLabel*>("picture")->pixmap();
    ASSERT_FALSE(picture.isNull());
    const QImage image = picture.toImage();
    EXPECT_NE(image.pixel(0, 0), image.pixel(image.width() / 2, image.height() / 2));
}

TEST_F(About, LinksAreBlueUnderlinedWithAHandAndMakeTheirFontOnce)
{
    CFractalAboutDlg box(dialog.get(), [](const QUrl&) { return true; });
    box.show();
    CFractalLink* link = box.HomePageLink();
    EXPECT_EQ(link->FontsMade(), 0);
    const QImage first = link->grab().toImage();
    const QImage again = link->grab().toImage();
    box.hide();
    box.show();
    link->repaint();
    EXPECT_EQ(link->FontsMade(), 1);
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(first, again);
    int blue = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x)
            blue += qRgb(qRed(first.pixel(x, y)), qGreen(first.pixel(x, y)), qBlue(first.pixel(x, y))) == CFractalLink::kColor;
    EXPECT_GT(blue, 50);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(box.ContactLink()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(box.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(About, LinksOpenTheirAddressAndAFailureChangesNothing)
{
    QList<QUrl> opened;
    bool works = true;
    CFractalAboutDlg box(dialog.get(), [&](const QUrl& url) {
        opened << url;
        return works;
    });
    box.show();
    QTest::mouseClick(box.HomePageLink(), Qt::LeftButton, {}, {3, 3});
    QTest::mouseClick(box.ContactLink(), Qt::LeftButton, {}, {3, 3});
    works = false;
    QTest::mouseClick(box.HomePageLink(), Qt::LeftButton, {}, {3, 3});
    EXPECT_EQ(opened, (QList<QUrl>{QUrl("https://korvanta.example"),
                                   QUrl("mailto:team@korvanta.example"),
                                   QUrl("https://korvanta.example")}));
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(About, TheHelpMenuOpensItModally)
{
    QList<QUrl> opened;
    dialog->m_openUrl = [&](const QUrl& url) {
        opened << url;
        return true;
    };
    QAction* about = nullptr;
    for (QAction* action : dialog->findChild<QMenuBar*>()->findChildren<QAction*>())
        if (action->text() == "&About...")
            about = action;
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->data().toInt(), kCmdAbout);
    QString title;
    QTimer::singleShot(100, [&] {
        auto* box = qobject_cast<CFractalAboutDlg*>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        QTest::mouseClick(box->ContactLink(), Qt::LeftButton, {}, {3, 3});
        box->accept();
    });
    about->trigger();  // returns when the box closes
    EXPECT_EQ(title, "About Korvanta");
    EXPECT_EQ(opened, QList<QUrl>{QUrl("mailto:team@korvanta.example")});
}

}  // namespace
}  // namespace korvanta
