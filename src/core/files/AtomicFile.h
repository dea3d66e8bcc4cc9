#pragma once

#include <filesystem>

namespace korvanta {

// A file written under a temporary name beside its target and renamed over it only when
// everything was written and is on the disk, so a failed save never destroys the previous
// file. A target that is a symbolic link is written through to the file it names, and an
// existing file keeps its permissions.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when no temporary file could be created next to the target.
    bool IsOpen() const { return !m_temp.empty(); }
    const std::filesystem::path& TempPath() const { return m_temp; }

    // Flushes the finished temporary file to the disk and moves it over the target; false
    // (and the temporary file removed) when that fails.
    bool Commit();

private:
    std::filesystem::path m_target;  // with symbolic links followed
    std::filesystem::path m_temp;
};

}  // namespace korvanta
