#include "support/GuiFixture.h"
#include "support/Pictures.h"

#include <QClipboard>
#include <QMimeData>
#include <QUrl>

#include <cstring>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class PictureExchange : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        dir = test::TempDir(testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    QString Path(const char* name) const { return QString::fromStdString((dir / name).string()); }

    // A Julia set with its values shown: every kind of field has a value of its own.
    CFractalWnd* RenderJulia()
    {
        Choose(kIdFormula, 2);
        Choose(kIdColoring, 3);
        Edit(kIdNumColors)->setText("400");
        SetArea("-1.4", "1.3", "-0.9", "1.05");
        Edit(kIdCRe)->setText("-0.7454294");
        Edit(kIdCIm)->setText("0.113");
        SetSize("320", "200");
        Check(kIdAspectRatio)->setChecked(false);
        Check(kIdShowValues)->setChecked(true);
        CFractalWnd* window = Render();
        EXPECT_TRUE(window && WaitFor([&] { return window->Job().Finished(); }));
        return window;
    }

    // Other fields altogether, so that filling them shows.
    void Scramble()
    {
        Choose(kIdFormula, 0);
        Choose(kIdColoring, 0);
        SetArea("-2", "2", "-2", "2");
        SetSize("30", "20");
        Check(kIdAspectRatio)->setChecked(true);
        Check(kIdShowValues)->setChecked(false);
    }

    // Render from the fields as they are now: the same pixels as `first`.
    void ExpectRenderGivesTheSamePicture(const CFractalWnd* first)
    {
        CFractalWnd* again = Render();
        ASSERT_NE(again, nullptr);
        ASSERT_TRUE(WaitFor([&] { return again->Job().Finished(); }));
        const PixelBuffer &a = first->Job().Pixels(), &b = again->Job().Pixels();
        ASSERT_EQ(a.width(), b.width());
        ASSERT_EQ(a.height(), b.height());
        EXPECT_EQ(std::memcmp(a.data(), b.data(), std::size_t(a.width()) * std::size_t(a.height()) * 4), 0);
        again->close();
    }

    // What the window does with a drag over it and the drop: the headless platform has no
    // drag of its own, so the events go to the window directly.
    void Drop(QMimeData* data)
    {
        QObject* window = dialog.get();
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        window->event(&enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        window->event(&drop);
        QApplication::processEvents();
        delete data;
    }

    std::filesystem::path dir;
};

TEST_F(PictureExchange, LoadingASavedPngFillsTheFieldsForTheSamePicture)
{
    CFractalWnd* first = RenderJulia();
    prompts.answers << Prompter::FileChoice{Path("julia"), 4};
    first->OnSaveAs();
    ASSERT_TRUE(std::filesystem::exists(dir / "julia.PNG"));
    Scramble();
    prompts.answers << Prompter::FileChoice{Path("julia.PNG"), 2};
    dialog->OnLoad();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
    EXPECT_EQ(Edit(kIdCRe)->text(), "-0.7454294");
    EXPECT_EQ(Edit(kIdWidth)->text(), "320");
    EXPECT_FALSE(Check(kIdAspectRatio)->isChecked());
    EXPECT_TRUE(Check(kIdShowValues)->isChecked());
    ExpectRenderGivesTheSamePicture(first);

    // A PNG from elsewhere, or none at all, changes nothing.
    std::ofstream(dir / "plain.png") << "\x89PNG\r\n\x1a\n";
    Scramble();
    prompts.answers << Prompter::FileChoice{Path("plain.png"), 2};
    dialog->OnLoad();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith("The PNG file is damaged")) << prompts.messages[0].toStdString();
    EXPECT_EQ(Edit(kIdXStart)->text(), "-2");
    EXPECT_EQ(Edit(kIdWidth)->text(), "30");
}

// Ctrl+C on a render window, Ctrl+V in the control window: the same picture again. A number
// still pastes into its field, and a broken location is refused.
TEST_F(PictureExchange, CopyAndPasteCarryAPictureAndAPlainNumberStillPastes)
{
    CFractalWnd* first = RenderJulia();
    first->activateWindow();
    QTest::keyClick(first, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains("Korvanta parameters: 1")) << copied.toStdString();
    EXPECT_FALSE(copied.contains("Re:")) << "a Julia set has no location for other programs";
    Scramble();
    Edit(kIdXEnd)->setFocus();
    QTest::keyClick(Edit(kIdXEnd), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(Edit(kIdXEnd)->text(), "1.3");
    ExpectRenderGivesTheSamePicture(first);

    QApplication::clipboard()->setText("0.25");
    Edit(kIdCIm)->clear();
    QTest::keyClick(Edit(kIdCIm), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit(kIdCIm)->text(), "0.25");

    QApplication::clipboard()->setText("Re: -0.75\nZoom: 1\n");
    QTest::keyClick(Edit(kIdCIm), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains("Im")) << prompts.messages[0].toStdString();
    EXPECT_EQ(Edit(kIdCIm)->text(), "0.25");
    EXPECT_EQ(Edit(kIdXEnd)->text(), "1.3");
}

// A Mandelbrot picture's copy is a location the other programs read: mirrored, with its zoom.
TEST_F(PictureExchange, AMandelbrotCopyIsALocationOfTheUsualSet)
{
    Choose(kIdFormula, 0);
    Choose(kIdColoring, 2);
    Edit(kIdNumColors)->setText("300");
    SetArea("0.7", "0.8", "0.1", "0.175");
    SetSize("40", "30");
    Check(kIdAspectRatio)->setChecked(false);
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    window->CopyLocation();
    const QString copied = QApplication::clipboard()->text();
    const auto location = ReadLocation(copied.toStdString());
    ASSERT_TRUE(std::holds_alternative<Location>(location)) << copied.toStdString();
    EXPECT_DOUBLE_EQ(std::stod(std::get<Location>(location).re), -0.75);
    EXPECT_DOUBLE_EQ(std::stod(std::get<Location>(location).im), -0.1375);
    EXPECT_DOUBLE_EQ(std::stod(std::get<Location>(location).zoom), 4 / 0.075);
    EXPECT_EQ(std::get<Location>(location).iterations, 300);
}

// Export then import is the identity on the fields; what cannot be written or read is
// refused and changes nothing.
TEST_F(PictureExchange, ExportedLocationsComeBackAsTheyWent)
{
    Choose(kIdColoring, 2);
    Edit(kIdNumColors)->setText("700");
    SetSize("80", "60");
    Check(kIdAspectRatio)->setChecked(false);
    for (const auto& [formula, filter] : {std::pair{1, 1}, std::pair{0, 2}}) {
        Choose(kIdFormula, formula);
        Edit(kIdNumColors)->setText("700");
        SetArea("-0.41", "-0.37", "0.6", "0.63");
        prompts.answers << Prompter::FileChoice{Path("place"), filter};
        dialog->OnExportLocation();
        const QString written = Path(filter == 1 ? "place.kfr" : "place.toml");
        ASSERT_TRUE(QFile::exists(written)) << filter;
        const RenderFields exported = dialog->Fields();
        Scramble();
        SetSize("80", "60");
        prompts.answers << Prompter::FileChoice{written, 1};
        dialog->OnImportLocation();
        const RenderFields imported = dialog->Fields();
        EXPECT_EQ(imported.formula, formula);
        EXPECT_EQ(imported.colors, "700");
        for (const auto& [a, b] : {std::pair{exported.xStart, imported.xStart}, std::pair{exported.yEnd, imported.yEnd}})
            EXPECT_NEAR(std::stod(a), std::stod(b), 1e-12) << filter;
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
    EXPECT_TRUE(prompts.questions.isEmpty());
    Choose(kIdFormula, 1);
    prompts.answers << Prompter::FileChoice{Path("cubic"), 2};
    dialog->OnExportLocation();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_FALSE(QFile::exists(Path("cubic.toml")));

    std::ofstream(dir / "bad.kfr") << "Re: 1\nIm: 2\nZoom: 1e-999999999\n";
    const QString before = Edit(kIdXStart)->text();
    prompts.answers << Prompter::FileChoice{Path("bad.kfr"), 1};
    dialog->OnImportLocation();
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(Edit(kIdXStart)->text(), before);
}

// Dropping a document, a PNG or a location file does what opening it does; so does a file
// named on the command line.
TEST_F(PictureExchange, DroppedAndNamedFilesOpenByTheirKind)
{
    CFractalWnd* first = RenderJulia();
    prompts.answers << Prompter::FileChoice{Path("julia"), 4} << Prompter::FileChoice{Path("julia"), 1};
    first->OnSaveAs();
    first->OnSaveAs();
    Scramble();
    auto* png = new QMimeData;
    png->setUrls({QUrl::fromLocalFile(Path("julia.PNG"))});
    Drop(png);
    EXPECT_EQ(Edit(kIdCIm)->text(), "0.113");
    auto* document = new QMimeData;
    document->setUrls({QUrl::fromLocalFile(Path("julia.Fra"))});
    const std::size_t windows = dialog->RenderWindows().size();
    Drop(document);
    EXPECT_EQ(dialog->RenderWindows().size(), windows + 1);
    std::ofstream(dir / "place.kfr") << "Re: -0.75\nIm: 0.1\nZoom: 1\nIterations: 321\n";
    auto* location = new QMimeData;
    location->setUrls({QUrl::fromLocalFile(Path("place.kfr"))});
    Drop(location);
    EXPECT_EQ(Edit(kIdNumColors)->text(), "321");
    EXPECT_EQ(Combo(kIdFormula)->currentIndex(), 0);
    auto* text = new QMimeData;
    text->setText("nothing of the kind");
    Drop(text);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains("neither")) << prompts.messages[0].toStdString();

    CFractalDlg named(Path("julia.PNG"));
    ASSERT_TRUE(WaitFor([&] { return named.Edit(kIdCIm)->text() == "0.113"; }, 2000));
}

}  // namespace
}  // namespace korvanta
