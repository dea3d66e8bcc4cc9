#include "support/GuiFixture.h"
#include "support/Pictures.h"

#include "core/archive/Archive.h"
#include "core/files/PictureExport.h"
#include "core/files/RenderRecord.h"

#include <QPointer>
#include <QSignalSpy>

#include <QEventLoop>

#include <QTimer>

#include <QGuiApplication>

#include <QScreen>

#include <limits>

#include <QThread>

#include <sstream>

#include <QCheckBox>

#include <QComboBox>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class RenderWindow : public GuiTest {};

TEST_F(RenderWindow, TitleShowsProgressAndEndsReady)
{
    Check(kIdAspectRatio)->setChecked(false);
    SetSize("40", "30");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    QSignalSpy titles(window, &QWidget::windowTitleChanged);
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    QApplication::processEvents();
    QStringList seen;
    for (const auto& args : titles)
        seen << args.at(0).toString();
    EXPECT_EQ(seen, (QStringList{"16 % rendered", "33 % rendered", "50 % rendered",
                                 "66 % rendered", "83 % rendered", "100% rendered",
                                 "Nimbrel's renderer ready"}));
}

TEST_F(RenderWindow, PaintsThePictureTopRowFirstWithoutTheFourthByte)
{
    Check(kIdAspectRatio)->setChecked(false);
    SetSize("8", "4");
    CFractalWnd* window = Render();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    // A fourth byte that must not show.
    window->Job().Pixels().at(0, 0) = 0x01123456;
    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 3), 0xFF123456u);  // buffer row 0 is the bottom line
    EXPECT_EQ(shown.pixel(1, 0), 0xFF000000u | window->Job().Pixels().at(1, 3));

    window->resize(16, 8);  // stretched
    const QImage stretched = window->grab().toImage();
    EXPECT_EQ(stretched.size(), QSize(16, 8));
    EXPECT_EQ(stretched.pixel(0, 7), 0xFF123456u);
}

TEST_F(RenderWindow, SetConstantWritesThePointUnderTheClick)
{
    SetArea("-2", "2", "-2", "2");
    SetSize("200", "200");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    window->SetMenuPoint({100, 100});
    window->OnSetConstant();
    EXPECT_EQ(Edit(kIdCRe)->text(), "0");
    EXPECT_EQ(Edit(kIdCIm)->text(), "0");

    window->SetMenuPoint({50, 0});  // a quarter across, on the top edge (Y end)
    window->OnSetConstant();
    EXPECT_EQ(Edit(kIdCRe)->text(), "-1");
    EXPECT_EQ(Edit(kIdCIm)->text(), "2");

    window->resize(400, 100);  // stretched: still the point under the cursor
    window->SetMenuPoint({300, 75});
    window->OnSetConstant();
    EXPECT_EQ(Edit(kIdCRe)->text(), "1");
    EXPECT_EQ(Edit(kIdCIm)->text(), "-1");
}

TEST_F(RenderWindow, ClosingOneWindowLeavesTheOthersRendering)
{
    SetSize("300", "300");
    QPointer<CFractalWnd> first = Render();
    SetSize("30", "30");
    CFractalWnd* second = Render();
    ASSERT_TRUE(first && second);
    first->close();
    EXPECT_EQ(dialog->RenderWindows(), std::vector<CFractalWnd*>{second});
    ASSERT_TRUE(WaitFor([&] { return first.isNull(); }));
    ASSERT_TRUE(WaitFor([&] { return second->Job().Finished(); }));
    EXPECT_FALSE(dialog->RemoveRenderWindow(nullptr));
}

TEST_F(RenderWindow, ClosingTheDialogClosesEveryWindow)
{
    QPointer<CFractalWnd> a = Render(), b = Render(), c = Render();
    dialog->reject();
    EXPECT_TRUE(dialog->RenderWindows().empty());
    EXPECT_TRUE(a.isNull() && b.isNull() && c.isNull());
}

// Runs the event loop until `done` holds, as the program's own loop runs: a deletion that
// was put off until a loop returned happens there.
bool LoopUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 500 && !done(); ++i) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

// Runs a nested event loop of its own in the file dialog, during which `whileOpen` happens.
class LoopingPrompter : public test::RecordingPrompter {
public:
    std::function<void()> whileOpen;
    std::optional<FileChoice> SaveFile(QWidget* parent, const QString& filters) override
    {
        QEventLoop loop;
        QTimer::singleShot(0, [this] { whileOpen(); });
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
        return RecordingPrompter::SaveFile(parent, filters);
    }
};

TEST_F(RenderWindow, ClosingAWindowInsideItsOwnMenuOrDialogsFreesItOnlyAfterwards)
{
    // The window system closes the window while its context menu is open.
    QPointer<CFractalWnd> window = Render();
    QTimer::singleShot(50, [&] { window->close(); });
    QTimer::singleShot(150, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QTest::mouseClick(window.data(), Qt::RightButton, {}, QPoint(5, 5));  // until the menu closes
    EXPECT_TRUE(dialog->RenderWindows().empty());
    EXPECT_TRUE(LoopUntil([&] { return window.isNull(); }));

    // The same while the properties dialog is open.
    window = Render();
    QTimer::singleShot(50, [&] { window->close(); });
    QTimer::singleShot(150, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    window->OnProperties();
    ASSERT_FALSE(window.isNull()) << "freed while its own call was running";
    EXPECT_TRUE(dialog->RenderWindows().empty());
    EXPECT_TRUE(LoopUntil([&] { return window.isNull(); }));

    // And while Save as asks for a name: the picture is still saved as asked.
    LoopingPrompter files;
    Prompter* previous = Prompter::Install(&files);
    window = Render();
    const auto dir = test::TempDir("close-in-dialog");
    files.answers << Prompter::FileChoice{QString::fromStdString((dir / "p").string()), 2};
    files.whileOpen = [&] { window->close(); };
    window->OnSaveAs();
    Prompter::Install(previous);
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(std::filesystem::exists(dir / "p.Bmp"));
    EXPECT_TRUE(LoopUntil([&] { return window.isNull(); }));
}

TEST_F(RenderWindow, PicturesLargerThanTheScreenOpenStretchedToFitIt)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    Check(kIdAspectRatio)->setChecked(false);
    SetArea("-3", "3", "-1", "1");
    SetSize(QByteArray::number(screen.width() * 3).constData(),
            QByteArray::number(screen.height()).constData());
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Job().Pixels().width(), screen.width() * 3);  // the picture keeps its size
    EXPECT_TRUE(screen.contains(window->frameGeometry())) << window->frameGeometry().width();
    EXPECT_NEAR(double(window->width()) / window->height(), 3.0, 0.05);
    // Stretched like a window the user made smaller: the zoom sees the whole area.
    QTest::mousePress(window, Qt::LeftButton, {}, {0, window->height()});
    QTest::mouseRelease(window, Qt::LeftButton, {}, {window->width(), 1});
    EXPECT_EQ(Edit(kIdXStart)->text(), "-3");
    EXPECT_EQ(Edit(kIdXEnd)->text(), "3");
}

TEST_F(RenderWindow, ADocumentPlacedOffEveryScreenOpensOnTheNearestOne)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto job = test::MandelbrotJob(60, 40);
    const auto dir = test::TempDir("off-screen");
    for (auto [left, top] : {std::pair{screen.right() + 5000, 10}, std::pair{-90000, -70000},
                             std::pair{std::numeric_limits<std::int32_t>::max() - 10, 0}}) {
        WindowPlacement placement;
        placement.left = left;
        placement.top = top;
        placement.right = static_cast<std::int32_t>(
            std::min<std::int64_t>(std::int64_t{left} + 64, std::numeric_limits<std::int32_t>::max()));
        placement.bottom = top + 44;
        const auto path = dir / "far.fra";
        ASSERT_TRUE(SavePicture(path.string(), SaveFormat::Document, *job, placement).empty());
        ASSERT_TRUE(dialog->OpenDocumentFile(QString::fromStdString(path.string())));
        const QRect shown = dialog->RenderWindows().back()->frameGeometry();
        EXPECT_TRUE(screen.contains(shown)) << left << "," << top;
    }
    // An empty picture is no picture Render makes: refused, with no window left behind.
    RenderJob empty(RenderSettings::ForArea(-1, 1, -1, 1, 0, 0),
                    {std::make_unique<CFractAlgMandelbrot>(), std::make_unique<CFractCol2304>()});
    ASSERT_TRUE(empty.CreateBitmaps());
    ASSERT_TRUE(SavePicture((dir / "empty.fra").string(), SaveFormat::Document, empty).empty());
    const auto windows = dialog->RenderWindows().size();
    EXPECT_FALSE(dialog->OpenDocumentFile(QString::fromStdString((dir / "empty.fra").string())));
    EXPECT_EQ(dialog->RenderWindows().size(), windows);
    EXPECT_EQ(prompts.messages.size(), 1);

    // A place on the screen stays where it is.
    WindowPlacement onScreen;
    onScreen.left = screen.left() + 30;
    onScreen.top = screen.top() + 20;
    onScreen.right = onScreen.left + 64;
    onScreen.bottom = onScreen.top + 44;
    const auto path = dir / "near.fra";
    ASSERT_TRUE(SavePicture(path.string(), SaveFormat::Document, *job, onScreen).empty());
    ASSERT_TRUE(dialog->OpenDocumentFile(QString::fromStdString(path.string())));
    EXPECT_EQ(dialog->RenderWindows().back()->frameGeometry().topLeft(),
              QPoint(onScreen.left, onScreen.top));
}

int ThreadsOfThisProcess()
{
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}));
}

std::string DocumentOf(const CFractalWnd& window)
{
    std::ostringstream out;
    Archive ar(out);
    WriteRenderRecord(ar, window.Job(), {});
    return out.str();
}

TEST_F(RenderWindow, WithWorkersThePictureIsSteppingsAndNothingOutlivesItsWindow)
{
    const int threadsBefore = ThreadsOfThisProcess();
    auto renderJulia = [&](CFractalDlg& d) {
        qobject_cast<QCheckBox*>(d.Control(kIdAspectRatio))->setChecked(false);
        qobject_cast<QCheckBox*>(d.Control(kIdShowValues))->setChecked(true);
        d.Edit(kIdWidth)->setText("300");
        d.Edit(kIdHeight)->setText("120");
        d.Edit(kIdXStart)->setText("-1.6");
        d.Edit(kIdXEnd)->setText("1.6");
        d.Edit(kIdCRe)->setText("0.123");
        d.Edit(kIdCIm)->setText("-0.745");
        qobject_cast<QComboBox*>(d.Control(kIdFormula))->setCurrentIndex(2);
        d.OnRender();
        return d.RenderWindows().back();
    };
    CFractalWnd* stepped = renderJulia(*dialog);
    ASSERT_FALSE(stepped->Job().LooksAhead());  // the tests' own dialog steps pixel by pixel
    ASSERT_TRUE(WaitFor([&] { return stepped->Job().Finished(); }));
    const std::string expected = DocumentOf(*stepped);

    qunsetenv("KORVANTA_SEQUENTIAL");
    {
        CFractalDlg withWorkers;
        withWorkers.show();
        CFractalWnd* ahead = renderJulia(withWorkers);
        EXPECT_TRUE(ahead->Job().LooksAhead() || QThread::idealThreadCount() <= 1);
        // A slow picture closed while the workers hold its rows.
        withWorkers.Edit(kIdNumColors)->setText("2000000");
        qobject_cast<QComboBox*>(withWorkers.Control(kIdFormula))->setCurrentIndex(6);  // Sinz
        QPointer<CFractalWnd> slow = renderJulia(withWorkers);
        QTest::qWait(50);
        slow->close();
        ASSERT_TRUE(WaitFor([&] { return ahead->Job().Finished(); }));
        EXPECT_EQ(DocumentOf(*ahead), expected);
        EXPECT_TRUE(LoopUntil([&] { return slow.isNull(); }));
        // Exit while a picture still grows.
        renderJulia(withWorkers);
        withWorkers.reject();
    }
    qputenv("KORVANTA_SEQUENTIAL", "1");
    EXPECT_TRUE(WaitFor([&] { return ThreadsOfThisProcess() <= threadsBefore; }, 5000))
        << ThreadsOfThisProcess() << " threads, " << threadsBefore << " before";
}

}  // namespace
}  // namespace korvanta
