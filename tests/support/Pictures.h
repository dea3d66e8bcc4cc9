#pragma once

#include "core/colorings/FractCol2304.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/RenderJob.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

namespace korvanta::test {

// A Mandelbrot picture of the given size, rendered for `steps` steps (all of it by default).
inline std::unique_ptr<RenderJob> MandelbrotJob(std::int32_t width, std::int32_t height,
                                                long steps = -1)
{
    auto job = std::make_unique<RenderJob>(
        RenderSettings::ForArea(-1, 2, -1.5, 1.5, width, height),
        PictureObjects{std::make_unique<CFractAlgMandelbrot>(), std::make_unique<CFractCol2304>()});
    job->CreateBitmaps();
    for (long i = 0; steps < 0 || i < steps; ++i)
        if (job->RenderStep() == 0)
            break;
    return job;
}

// A fresh empty folder for files a test writes; tests run in parallel processes, so each
// process has its own. The folders go when the process ends.
inline std::filesystem::path TempDir(const std::string& name)
{
    struct Folders {
        std::vector<std::filesystem::path> made;
        ~Folders()
        {
            std::error_code ignored;
            for (const auto& dir : made)
                std::filesystem::remove_all(dir, ignored);
        }
    };
    static Folders folders;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("korvanta-test-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    folders.made.push_back(dir);
    return dir;
}

inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace korvanta::test
