// A deep picture rendered whole on every core against the same picture in 8 bands run by
// GNU parallel on this machine and merged (tools/render-in-bands.sh), side by side; then the
// merge's peak memory for an 8000 x 8000 PNG against a whole run's.
//   bench_band_render [WIDTHxHEIGHT]   (default 4000x3000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    bool ok = false;
    double seconds = 0;
    double peakMiB = 0;
};

Run Spawn(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return run;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

std::string Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Require(const Run& run, const char* what)
{
    if (!run.ok) {
        std::fprintf(stderr, "%s failed\n", what);
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string size = argc > 1 ? argv[1] : "4000x3000";
    const std::string tool = KORVANTA_RENDER_TOOL;
    const auto dir = std::filesystem::temp_directory_path() / ("korvanta-bench-bands-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    setenv("KORVANTA_RENDER", tool.c_str(), 1);

    // Seahorse valley (this formula's z^2 - c mirrors the usual set), 3e-6 wide, limit 50000.
    const std::vector<std::string> picture{"-c", "HSV", "-n", "50000", "--no-aspect", "--no-values", "--size=" + size,
                                           "--area=0.74364238703715097,0.74364538703715097,"
                                           "-0.13182702920533001,-0.13182477920533000"};
    auto with = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const Run whole = Spawn(with(with({tool, "-q"}, picture), {"-o", (dir / "whole.png").string()}));
    Require(whole, "the whole render");
    const Run bands = Spawn(with(with({"/bin/bash", KORVANTA_BANDS_SCRIPT, "8"}, picture),
                                 {"-o", (dir / "bands.png").string()}));
    Require(bands, "the render in bands");
    const bool same = Bytes(dir / "whole.png") == Bytes(dir / "bands.png");
    std::printf("%s, limit 50000, deep zoom, PNG (%u cores):\n", size.c_str(), std::thread::hardware_concurrency());
    std::printf("  whole on every core        %8.2f s\n", whole.seconds);
    std::printf("  8 bands by GNU parallel    %8.2f s  (render, band files, merge)\n", bands.seconds);
    std::printf("  ratio bands / whole        %8.3f   (target <= 1.10); files %s\n", bands.seconds / whole.seconds,
                same ? "byte for byte the same" : "DIFFER");

    // Memory: an 8000 x 8000 picture whose pixels all escape at once, so rendering is cheap.
    const std::vector<std::string> big{"--area=3,4,3,4", "--size=8000x8000", "--no-aspect", "--no-values", "-q"};
    std::vector<std::string> merge{tool, "--merge"};
    for (int k = 0; k < 8; ++k) {
        const std::string band = (dir / ("big-" + std::to_string(k) + ".band")).string();
        Require(Spawn(with(with({tool}, big), {"--band", std::to_string(k) + "/8", "-o", band})), "a band");
        merge.push_back(band);
    }
    const Run merged = Spawn(with(merge, {"-o", (dir / "merged.png").string()}));
    Require(merged, "the merge");
    const Run direct = Spawn(with(with({tool}, big), {"-o", (dir / "direct.png").string()}));
    Require(direct, "the whole 8000 x 8000 render");
    const double pixels = 8000.0 * 8000.0;
    std::printf("8000 x 8000 PNG, peak resident memory (the picture itself: %.0f MiB at 4 bytes a pixel):\n",
                4 * pixels / 1048576);
    std::printf("  merge of 8 bands           %8.1f MiB = %.3f bytes a pixel, %.2f s; files %s\n", merged.peakMiB,
                merged.peakMiB * 1048576 / pixels, merged.seconds,
                Bytes(dir / "merged.png") == Bytes(dir / "direct.png") ? "byte for byte the same" : "DIFFER");
    std::printf("  whole render               %8.1f MiB = %.3f bytes a pixel\n", direct.peakMiB,
                direct.peakMiB * 1048576 / pixels);
    std::filesystem::remove_all(dir);
    return same ? 0 : 1;
}
