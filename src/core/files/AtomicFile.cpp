#include "core/files/AtomicFile.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace korvanta {

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(std::move(target))
{
    std::string pattern = m_target.string() + ".tmp-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return;
    // mkstemp makes the file private; give it the usual permissions of a new file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
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
    if (m_temp.empty())
        return false;
    std::error_code error;
    std::filesystem::rename(m_temp, m_target, error);
    if (error)
        return false;
    m_temp.clear();
    return true;
}

}  // namespace korvanta
