#pragma once

#include <filesystem>

namespace korvanta {

// A file written under a temporary name beside its target and renamed over it only when
// everything was written, so a failed save never destroys the previous file.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when no temporary file could be created next to the target.
    bool IsOpen() const { return !m_temp.empty(); }
    const std::filesystem::path& TempPath() const { return m_temp; }

    // Moves the finished temporary file over the target; false (and the temporary file
    // removed) when that fails.
    bool Commit();

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
};

}  // namespace korvanta
