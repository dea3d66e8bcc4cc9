#include "tools/korvanta-render/RunFigures.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace korvanta {

std::uint64_t PeakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        unsigned long long kilobytes = 0;
        if (std::sscanf(line.c_str(), "VmHWM: %llu kB", &kilobytes) == 1)
            return kilobytes * 1024;
    }
    return 0;
}

void RunFigures::Print(std::ostream& err) const
{
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    char line[160];
    std::snprintf(line, sizeof line,
                  "korvanta-render: %lld pixels in %.2f s, %.1f million pixels/s; peak memory %.1f MB\n",
                  static_cast<long long>(m_pixels), seconds,
                  seconds > 0 ? static_cast<double>(m_pixels) / seconds / 1e6 : 0.0,
                  static_cast<double>(PeakResidentBytes()) / (1024.0 * 1024.0));
    err << line;
}

}  // namespace korvanta
