#pragma once

#include <filesystem>
#include <system_error>

namespace korvanta {

// A file written under a temporary name beside its target and renamed over it only when
// everything was written and is on the disk, so a failed save never destroys the previous
// file. A target that is a symbolic link is written through to the file it names; an
// existing file keeps its permissions and, as far as the system lets us, its owner. A file
// the user may not write is refused. A device or pipe is written directly: there is nothing
// to keep and nothing to rename over it.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the target may not be written or no temporary file could be created.
    bool IsOpen() const { return !m_temp.empty(); }
    // Where to write: the temporary file, or the device itself.
    const std::filesystem::path& TempPath() const { return m_temp; }

    // Flushes the finished temporary file to the disk and moves it over the target; false
    // (and the temporary file removed) when that fails.
    bool Commit();

    // The system's reason when opening or committing failed.
    const std::error_code& Error() const { return m_error; }

private:
    std::filesystem::path m_target;  // with symbolic links followed
    std::filesystem::path m_temp;
    bool m_direct = false;
    std::error_code m_error;
};

}  // namespace korvanta
