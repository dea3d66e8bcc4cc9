// korvanta-render's speed on one and two threads for three pictures, and its peak memory
// when it writes a large PNG.
#include "tools/korvanta-render/PictureRequest.h"
#include "core/render/ParallelRender.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace korvanta;

namespace {

struct Case {
    const char* label;
    RenderOptions options;
};

double RenderSeconds(const RenderOptions& options, int threads)
{
    std::string error;
    auto job = PreparePicture(
        options, [](const RenderSettings&) { return PixelBuffer{}; }, error);
    if (!job) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    const auto start = std::chrono::steady_clock::now();
    RenderInParallel(*job, threads);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs the tool as a child process and reports its peak resident memory in bytes.
long PeakMemoryOf(const std::vector<std::string>& args)
{
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss * 1024L;
}

}  // namespace

int main()
{
    std::vector<Case> cases(3);
    cases[0].label = "Apfelmaenchen (scene 5)";
    cases[0].options.scene = "Apfelmaenchen";
    cases[1].label = "Mandelbrot^3 (scene 6)";
    cases[1].options.scene = "Mandelbrot^3";
    cases[2].label = "Mandelbrot 1280x960, RGB, 10000 colors";
    cases[2].options.area = "-1,2.5,-1.3125,1.3125";
    cases[2].options.size = "1280x960";
    cases[2].options.coloring = "RGB";
    cases[2].options.colors = "10000";
    cases[2].options.aspect = false;

    std::printf("%-42s %10s %10s %8s\n", "picture", "1 thread", "2 threads", "speed-up");
    for (Case& c : cases) {
        double one = 1e9, two = 1e9;
        for (int round = 0; round < 3; ++round) {
            one = std::min(one, RenderSeconds(c.options, 1));
            two = std::min(two, RenderSeconds(c.options, 2));
        }
        std::printf("%-42s %8.1f ms %8.1f ms %7.2fx (target >= 1.8 on 2 cores)\n", c.label,
                    one * 1e3, two * 1e3, one / two);
    }

    const std::string out = "/tmp/korvanta-bench-8000.png";
    const long peak = PeakMemoryOf({KORVANTA_RENDER_TOOL, "--area=3,4,3,4", "--size=8000x8000",
                                    "--no-aspect", "-q", "-o", out});
    std::remove(out.c_str());
    const double pixels = 8000.0 * 8000.0;
    const double limit = 7.5 * pixels + 64.0 * 1024 * 1024;
    std::printf("8000x8000 PNG: peak resident memory %.1f MiB = %.2f bytes a pixel "
                "(limit %.1f MiB: 7.5 bytes a pixel + 64 MiB)\n",
                peak / 1048576.0, peak / pixels, limit / 1048576.0);
    return peak > 0 ? 0 : 1;
}
