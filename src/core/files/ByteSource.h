#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace korvanta {

// Bytes read at any offset, from a file or from memory; every read is checked against the
// size.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // False when the bytes cannot all be had.
    virtual bool ReadAt(std::uint64_t offset, void* data, std::size_t size) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.size(); }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

// A plain file (followed through links) opened for reading; folders, pipes and devices are
// refused as OpenInputFile refuses them.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    std::uint64_t Size() const override { return m_size; }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override;

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
};

}  // namespace korvanta
