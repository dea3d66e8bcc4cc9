#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvanta {

// SHA-256 (FIPS 180-4), fed in pieces of any size.
class Sha256 {
public:
    using Digest = std::array<std::uint8_t, 32>;

    void Add(const void* data, std::size_t size);
    void Add(const std::string& text) { Add(text.data(), text.size()); }
    // The digest of everything added; the object is spent afterwards.
    Digest Finish();

    static std::string Hex(const Digest& digest);

private:
    void Block(const std::uint8_t* block);

    std::array<std::uint32_t, 8> m_state{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                         0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::array<std::uint8_t, 64> m_pending{};
    std::size_t m_pendingSize = 0;
    std::uint64_t m_totalBytes = 0;
};

}  // namespace korvanta
