#include "core/files/ByteSource.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvanta {

bool MemorySource::ReadAt(std::uint64_t offset, void* data, std::size_t size)
{
    if (offset > m_bytes.size() || size > m_bytes.size() - offset)
        return false;
    if (size > 0)
        std::memcpy(data, m_bytes.data() + offset, size);
    return true;
}

FileSource::FileSource(const std::filesystem::path& path)
{
    // Non-blocking, so that opening a pipe cannot hang before it is refused.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat status {};
    if (m_fd >= 0 && (::fstat(m_fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_fd >= 0)
        m_size = static_cast<std::uint64_t>(status.st_size);
}

FileSource::~FileSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileSource::ReadAt(std::uint64_t offset, void* data, std::size_t size)
{
    if (m_fd < 0 || offset > m_size || size > m_size - offset)
        return false;
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::pread(m_fd, bytes, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got, offset += static_cast<std::uint64_t>(got), size -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace korvanta
