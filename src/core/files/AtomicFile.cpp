#include "core/files/AtomicFile.h"

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace korvanta {

namespace {

// The file a chain of symbolic links ends at (which need not exist yet). A loop of links is
// left to fail when the file is renamed.
std::filesystem::path FollowLinks(std::filesystem::path path)
{
    constexpr int kMaxLinks = 40;
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error))
            break;
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

bool Sync(const std::filesystem::path& path, int flags)
{
    const int fd = open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    return close(fd) == 0 && synced;
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(FollowLinks(std::move(target)))
{
    std::string pattern = m_target.string() + ".tmp-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return;
    // mkstemp makes the file private: take the permissions of the file it replaces, or the
    // usual ones of a new file.
    struct stat existing {};
    if (stat(m_target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    close(fd);
    m_temp = pattern;
}

AtomicFile::~AtomicFile()
{
    if (!m_temp.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_temp, ignored);
    }
}

bool AtomicFile::Commit()
{
    if (m_temp.empty() || !Sync(m_temp, O_RDONLY))
        return false;
    std::error_code error;
    std::filesystem::rename(m_temp, m_target, error);
    if (error)
        return false;
    m_temp.clear();
    // The rename itself is only durable once the folder is on the disk too.
    const std::filesystem::path folder = m_target.has_parent_path() ? m_target.parent_path() : ".";
    Sync(folder, O_RDONLY | O_DIRECTORY);
    return true;
}

}  // namespace korvanta
