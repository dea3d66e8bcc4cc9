#include "support/GuiFixture.h"

#include "gui/shell/FractalAboutDlg.h"
#include "gui/shell/FractalLink.h"

#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
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
    // The addresses the package and its desktop files carry, as the build passes them.
    EXPECT_EQ(box.HomePageLink()->text(), KORVANTA_HOMEPAGE);
    EXPECT_EQ(box.ContactLink()->text(), KORVANTA_CONTACT);
    const QPixmap picture = box.findChild<QLabel*>("picture")->pixmap();
    ASSERT_FALSE(picture.isNull());
    const QImage image = picture.toImage();
    EXPECT_NE(image.pixel(0, 0), image.pixel(image.width() / 2, image.height() / 2));
}

// Each library beside its own license: only Qt is used under the LGPL.
TEST_F(About, CreditsEachLibraryWithItsOwnLicense)
{
    CFractalAboutDlg box(dialog.get(), [](const QUrl&) { return true; });
    const QStringList lines = LabelText(box, "credit").split('\n');
    auto lineOf = [&](const QString& library) {
        for (const QString& line : lines)
            if (line.contains(QRegularExpression("\\b" + library + " \\(")))
                return line;
        return QString();
    };
    EXPECT_TRUE(lineOf("Qt").endsWith("under the GNU LGPL,")) << lineOf("Qt").toStdString();
    EXPECT_TRUE(lineOf("libpng").endsWith("under the libpng license,")) << lineOf("libpng").toStdString();
    EXPECT_TRUE(lineOf("zlib").endsWith("under the zlib license.")) << lineOf("zlib").toStdString();
}

// Every text is whole: none runs past its label or out of the box.
TEST_F(About, NoTextIsCut)
{
    CFractalAboutDlg box(dialog.get(), [](const QUrl&) { return true; });
    box.show();
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        QFont font = label->font();
        font.setUnderline(qobject_cast<CFractalLink*>(label) != nullptr);
        const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, 10000, 10000),
                                                             Qt::AlignLeft | Qt::AlignTop, label->text());
        EXPECT_LE(needed.width(), label->width()) << label->text().toStdString();
        EXPECT_LE(needed.height(), label->height()) << label->text().toStdString();
        EXPECT_TRUE(box.rect().contains(label->geometry())) << label->text().toStdString();
    }
}

// The mail address reads as the end of the authorship line: a space after its text.
TEST_F(About, TheMailAddressFollowsTheAuthorship)
{
    CFractalAboutDlg box(dialog.get(), [](const QUrl&) { return true; });
    box.show();
    const auto* authors = box.findChild<QLabel*>("authorship");
    ASSERT_NE(authors, nullptr);
    const QFontMetrics metrics(authors->font());
    const int textEnd = authors->x() + metrics.horizontalAdvance(authors->text());
    const int gap = box.ContactLink()->x() - textEnd;
    EXPECT_GE(gap, 0);
    EXPECT_LE(gap, metrics.horizontalAdvance(' ') + 3);
    EXPECT_EQ(box.ContactLink()->y(), authors->y());
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
    EXPECT_EQ(opened, (QList<QUrl>{QUrl(KORVANTA_HOMEPAGE), QUrl("mailto:" KORVANTA_CONTACT),
                                   QUrl(KORVANTA_HOMEPAGE)}));
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
    EXPECT_EQ(opened, QList<QUrl>{QUrl("mailto:" KORVANTA_CONTACT)});
}

}  // namespace
}  // namespace korvanta
