// The explorer under long load, headless: up to forty render windows rendering at once
// (every formula, sizes up to 1600 x 1200), windows closed and new ones opened, documents
// saved and loaded, for ten minutes. Prints the resident memory at the start, its peak and
// at the end once every window is closed, the thread count at each of those points, and the
// longest wait of an input event posted every 2 ms throughout.
//
//   bench_soak [--minutes M] [--windows N] [--seed S]
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/Prompter.h"
#include "core/files/PictureExport.h"
#include "InputProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <malloc.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

using namespace korvanta;

namespace {

struct Usage {
    long residentKb = 0, peakKb = 0, threads = 0;
};

Usage ReadUsage()
{
    Usage u;
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        long value = 0;
        if (key == "VmRSS:" && status >> value)
            u.residentKb = value;
        else if (key == "VmHWM:" && status >> value)
            u.peakKb = value;
        else if (key == "Threads:" && status >> value)
            u.threads = value;
    }
    return u;
}

// Nothing here should ask the user anything; whatever is asked is counted and refused.
class CountingPrompter : public Prompter {
public:
    int asked = 0;
    void Message(QWidget*, const QString& text) override
    {
        ++asked;
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    bool Confirm(QWidget*, const QString&) override { return ++asked, false; }
    std::optional<FileChoice> SaveFile(QWidget*, const QString&) override { return ++asked, std::nullopt; }
    std::optional<QString> OpenFile(QWidget*, const QString&) override { return ++asked, std::nullopt; }
};

struct Size {
    int width, height;
};
constexpr Size kSizes[] = {{160, 120}, {320, 240}, {640, 480}, {800, 600}, {1024, 768}, {1600, 1200}};

void Render(CFractalDlg& dialog, std::mt19937_64& random)
{
    auto* formulas = qobject_cast<QComboBox*>(dialog.Control(kIdFormula));
    formulas->setCurrentIndex(static_cast<int>(random() % static_cast<unsigned>(formulas->count())));
    dialog.OnSelchangeAlgorithm();
    auto* colorings = qobject_cast<QComboBox*>(dialog.Control(kIdColoring));
    colorings->setCurrentIndex(static_cast<int>(random() % static_cast<unsigned>(colorings->count())));
    dialog.OnSelchangeColoring();
    const Size size = kSizes[random() % std::size(kSizes)];
    dialog.Edit(kIdXStart)->setText("-2");
    dialog.Edit(kIdXEnd)->setText("2");
    dialog.Edit(kIdYStart)->setText("-1.5");
    dialog.Edit(kIdYEnd)->setText("1.5");
    dialog.Edit(kIdCRe)->setText("0.3");
    dialog.Edit(kIdCIm)->setText("0.5");
    dialog.Edit(kIdWidth)->setText(QString::number(size.width));
    dialog.Edit(kIdHeight)->setText(QString::number(size.height));
    qobject_cast<QCheckBox*>(dialog.Control(kIdAspectRatio))->setChecked(false);
    dialog.OnRender();
}

// Runs the event loop for `ms` milliseconds, as the explorer's own loop would.
void RunFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, ms - static_cast<int>(clock.elapsed()));
}

// Finds the slowest event handler: its wall time, the processor time it took on this
// thread (the difference is time other programs had the processor), and what it was.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    CFractalDlg* dialog = nullptr;
    qint64 slowestNs = 0;
    double slowestCpuMs = 0;
    long slowestWaits = 0, slowestPreempted = 0;  // context switches: waits for a lock or I/O, preemptions
    QString slowest;
    int over50ms = 0;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const int type = event->type();
        const char* name = receiver->metaObject()->className();  // the receiver may not outlive the event
        QElapsedTimer wall;
        wall.start();
        const double cpu = ThreadCpuMs();
        rusage before{};
        getrusage(RUSAGE_THREAD, &before);
        const auto pictures = type == QEvent::Timer ? Pictures() : std::vector<Picture>{};
        const bool result = QApplication::notify(receiver, event);
        const qint64 took = wall.nsecsElapsed();
        if (ThreadCpuMs() - cpu > kTellMs)
            Tell(name, type, took, ThreadCpuMs() - cpu, pictures);
        over50ms += took > 50'000'000;
        if (took > slowestNs) {
            rusage after{};
            getrusage(RUSAGE_THREAD, &after);
            slowestNs = took;
            slowestCpuMs = ThreadCpuMs() - cpu;
            slowestWaits = after.ru_nvcsw - before.ru_nvcsw;
            slowestPreempted = after.ru_nivcsw - before.ru_nivcsw;
            slowest = QString("event %1 to %2").arg(type).arg(name);
        }
        return result;
    }

private:
    // A handler that took more processor time than this is told with the pictures it moved.
    static constexpr double kTellMs = 15;
    struct Picture {
        QPointer<CFractalWnd> window;
        std::int32_t row, column;
    };

    std::vector<Picture> Pictures() const
    {
        std::vector<Picture> all;
        if (dialog)
            for (CFractalWnd* w : dialog->RenderWindows())
                all.push_back({w, w->Job().Row(), w->Job().Column()});
        return all;
    }

    static void Tell(const char* name, int type, qint64 wallNs, double cpuMs, const std::vector<Picture>& before)
    {
        std::fprintf(stderr, "slow handler: event %d to %s, %.1f ms wall, %.1f ms processor; %zu pictures\n", type,
                     name, wallNs / 1e6, cpuMs, before.size());
        for (const Picture& p : before) {
            if (!p.window) {
                std::fprintf(stderr, "  (a picture went)\n");
                continue;
            }
            const RenderJob& job = p.window->Job();
            if (job.Row() == p.row && job.Column() == p.column && (job.LooksAhead() || job.Finished()))
                continue;
            const RenderSettings& s = job.Settings();
            std::fprintf(stderr, "  %s %dx%d colors %d ahead %d: row %d col %d -> row %d col %d\n",
                         s.m_pAlg ? typeid(*s.m_pAlg).name() : "-", s.m_nWidth, s.m_nHeight,
                         s.m_pCol ? s.m_pCol->GetNumColors() : 0, job.LooksAhead(), p.row, p.column, job.Row(),
                         job.Column());
        }
    }

    static double ThreadCpuMs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    double minutes = 10;
    std::size_t most = 40;
    std::uint64_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--minutes"))
            minutes = std::atof(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--windows"))
            most = static_cast<std::size_t>(std::max(1, std::atoi(argv[i + 1])));
        else if (!std::strcmp(argv[i], "--seed"))
            seed = std::strtoull(argv[i + 1], nullptr, 10);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    TimedApplication app(argc, argv);
    CountingPrompter prompter;
    Prompter::Install(&prompter);
    QTemporaryDir folder;
    std::mt19937_64 random(seed);

    auto* dialog = new CFractalDlg;
    app.dialog = dialog;
    dialog->show();
    RunFor(500);
    // The workers start with the first picture; the start counts them in.
    Render(*dialog, random);
    RunFor(200);
    dialog->RenderWindows().back()->close();
    RunFor(500);
    malloc_trim(0);
    const Usage start = ReadUsage();
    app.slowestNs = 0;
    app.over50ms = 0;

    bench::InputProbe probe;
    auto sender = std::make_unique<bench::InputSender>(probe, std::chrono::milliseconds(2));
    long peakThreads = start.threads;
    int opened = 0, closed = 0, saved = 0, loaded = 0, finished = 0;
    std::vector<std::string> documents;
    qint64 longest[5] = {};  // the longest action of each kind, in ns
    QElapsedTimer clock;
    clock.start();
    const auto total = static_cast<qint64>(minutes * 60e3);
    while (clock.elapsed() < total) {
        const auto& windows = dialog->RenderWindows();
        const auto pick = [&] { return windows[random() % windows.size()]; };
        const unsigned action = static_cast<unsigned>(random() % 10);
        const qint64 began = probe.clock.nsecsElapsed();
        int kind = 4;
        if (windows.size() < most && action < 5) {
            kind = 0;
            Render(*dialog, random);
            ++opened;
        } else if (!windows.empty() && action < 7) {
            CFractalWnd* window = pick();
            finished += window->Job().Finished();
            window->close();
            ++closed;
            kind = 1;
        } else if (!windows.empty() && action < 9) {
            const std::string path = folder.filePath(QString("soak-%1.fra").arg(saved % 8)).toStdString();
            if (SavePicture(path, *FormatOfName(path), pick()->Job(), pick()->Placement()).empty()) {
                documents.push_back(path);
                ++saved;
            }
            kind = 2;
        } else if (!documents.empty() && windows.size() < most) {
            loaded += dialog->OpenDocumentFile(QString::fromStdString(documents[random() % documents.size()]));
            kind = 3;
        }
        const qint64 ended = probe.clock.nsecsElapsed();
        longest[kind] = std::max(longest[kind], ended - began);
        probe.Exclude(began, ended);
        RunFor(200);
        peakThreads = std::max(peakThreads, ReadUsage().threads);
    }
    while (!dialog->RenderWindows().empty())
        dialog->RenderWindows().back()->close();
    sender.reset();
    RunFor(1000);
    malloc_trim(0);
    const Usage end = ReadUsage();

    std::printf("%.1f minutes, at most %zu windows, seed %llu: %d opened, %d closed (%d finished), %d documents "
                "saved, %d loaded, %d questions\n",
                minutes, most, static_cast<unsigned long long>(seed), opened + loaded, closed, finished, saved,
                loaded, prompter.asked);
    std::printf("resident memory: start %.1f MB, peak %.1f MB, end %.1f MB (end / start %.3f, target <= 1.10)\n",
                start.residentKb / 1024.0, end.peakKb / 1024.0, end.residentKb / 1024.0,
                static_cast<double>(end.residentKb) / static_cast<double>(std::max(1L, start.residentKb)));
    std::printf("threads: start %ld, peak %ld, end %ld (target: end = start)\n", start.threads, peakThreads,
                end.threads);
    std::printf("input events handled: %d, longest wait %.1f ms while rendering (target < 50), %.1f ms with the "
                "actions of this program\n",
                probe.handled, probe.longestRenderingWaitNs / 1e6, probe.longestWaitNs / 1e6);
    std::printf("longest action: render %.1f ms, close %.1f ms, save %.1f ms, load %.1f ms\n", longest[0] / 1e6,
                longest[1] / 1e6, longest[2] / 1e6, longest[3] / 1e6);
    std::printf("slowest event handler: %.1f ms (%.1f ms of processor time, %ld waits, %ld preemptions), %s; %d "
                "handlers over 50 ms\n",
                app.slowestNs / 1e6, app.slowestCpuMs, app.slowestWaits, app.slowestPreempted,
                app.slowest.toUtf8().constData(), app.over50ms);
    app.dialog = nullptr;
    delete dialog;
    Prompter::Install(nullptr);
    return 0;
}
