#include "core/files/Sha256.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

std::string Digest(const std::string& text, std::size_t piece)
{
    Sha256 sha;
    for (std::size_t at = 0; at < text.size(); at += piece)
        sha.Add(text.data() + at, std::min(piece, text.size() - at));
    return Sha256::Hex(sha.Finish());
}

// The examples of FIPS 180-4 and the NIST test vectors, fed whole and in uneven pieces
// that cross the 64-byte blocks and the padding boundary.
TEST(Sha256, MatchesTheStandardsExamplesInAnyPieces)
{
    const std::pair<std::string, const char*> vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [text, expected] : vectors)
        for (const std::size_t piece : {std::size_t(1), std::size_t(7), std::size_t(64), std::size_t(1000), text.size() + 1})
            EXPECT_EQ(Digest(text, piece), expected) << text.size() << " bytes in pieces of " << piece;
}

}  // namespace
}  // namespace korvanta
