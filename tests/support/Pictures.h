#pragma once

#include "colorings/FractCol2304.h"
#include "formulas/FractAlgMandelbrot.h"
#include "render/RenderJob.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace korvanta::test {

// A Mandelbrot picture of the given size, rendered for `steps` steps (all of it by default).
inline std::unique_ptr<RenderJob> MandelbrotJob(std::int32_t width, std::int32_t height,
                                                long steps = -1)
{
    RenderSettings s;
    s.m_dXStart = -1;
    s.m_dXEnd = 2;
    s.m_dYStart = -1.5;
    s.m_dYEnd = 1.5;
    s.m_nWidth = width;
    s.m_nHeight = height;
    s.m_pAlg = new CFractAlgMandelbrot;
    s.m_pCol = new CFractCol2304;
    auto job = std::make_unique<RenderJob>(s);
    job->CreateBitmaps();
    for (long i = 0; steps < 0 || i < steps; ++i)
        if (job->RenderStep() == 0)
            break;
    return job;
}

// A fresh empty folder for files a test writes.
inline std::filesystem::path TempDir(const std::string& name)
{
    const auto dir = std::filesystem::temp_directory_path() / ("korvanta-test-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace korvanta::test
