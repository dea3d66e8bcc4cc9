#include "core/files/AtomicFile.h"

#include "core/files/TemporaryFiles.h"

#include <cerrno>
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

std::error_code LastError()
{
    return {errno ? errno : EIO, std::generic_category()};
}

std::error_code Sync(const std::filesystem::path& path, int flags)
{
    const int fd = open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return LastError();
    std::error_code error;
    if (fsync(fd) != 0)
        error = LastError();
    if (close(fd) != 0 && !error)
        error = LastError();
    return error;
}

// Whether we may replace an existing file. Root may write anything, but a file that nobody
// may write was made read-only on purpose.
std::error_code Writable(const std::filesystem::path& path, const struct stat& info)
{
    if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return LastError();
    if (S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0)
        return std::make_error_code(std::errc::permission_denied);
    return {};
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(FollowLinks(std::move(target)))
{
    struct stat existing {};
    const bool exists = stat(m_target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) {
            m_error = std::make_error_code(std::errc::is_a_directory);
            return;
        }
        if ((m_error = Writable(m_target, existing)))
            return;
        if (!S_ISREG(existing.st_mode)) {
            m_direct = true;
            m_temp = m_target;
            return;
        }
    }

    const std::filesystem::path folder = m_target.parent_path();
    SweepStaleTemporaryFiles(folder);
    const int fd = CreateTemporaryFile(folder, m_temp);
    if (fd < 0) {
        m_error = LastError();
        m_temp.clear();
        return;
    }
    // The new file is private: take the permissions and owner of the file it
    // replaces (giving a file away may not be allowed; the group may), or the usual
    // permissions of a new file.
    if (exists) {
        if (fchown(fd, existing.st_uid, existing.st_gid) != 0)
            (void)!fchown(fd, -1, existing.st_gid);  // the owner stays ours when it must
        fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    close(fd);
}

AtomicFile::~AtomicFile()
{
    if (!m_temp.empty() && !m_direct) {
        std::error_code ignored;
        std::filesystem::remove(m_temp, ignored);
        ForgetTemporaryFile(m_temp);
    }
}

bool AtomicFile::Commit()
{
    if (m_temp.empty())
        return false;
    if (m_direct)
        return true;
    if ((m_error = Sync(m_temp, O_RDONLY)))
        return false;
    std::filesystem::rename(m_temp, m_target, m_error);
    if (m_error)
        return false;
    ForgetTemporaryFile(m_temp);
    m_temp.clear();
    // The rename itself is only durable once the folder is on the disk too.
    const std::filesystem::path folder = m_target.has_parent_path() ? m_target.parent_path() : ".";
    Sync(folder, O_RDONLY | O_DIRECTORY);
    return true;
}

}  // namespace korvanta
