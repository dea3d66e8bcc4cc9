// A band file from anywhere, given to a merge: refused, or merged into a picture whose
// document loads and whose images write. Anyone can make a band whose checksum matches, so
// the checksum is made right first and the fuzzer reaches everything behind it.
#include "tools/fuzz/FuzzActions.h"

#include "core/archive/Archive.h"
#include "core/files/BandSet.h"
#include "core/files/ImageWriters.h"
#include "core/render/ClassRegistry.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

using namespace korvanta;

// Pictures whose last pixel could take this many iterations only measure the fuzzer's time.
constexpr std::int32_t kMaxFuzzColors = 100000;

bool FitsTheFuzzer(const BandHeader& header)
{
    try {
        const LoadedSettings loaded = ReadSettingsRecord(header);
        // The limit is compared as unsigned: a negative count means billions of iterations.
        return loaded.settings.m_pCol == nullptr ||
               static_cast<std::uint32_t>(loaded.settings.m_pCol->GetNumColors()) <= kMaxFuzzColors;
    } catch (const ArchiveError&) {
        return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.size() >= 32) {
        Sha256 sha;
        sha.Add(bytes.data(), bytes.size() - 32);
        const Sha256::Digest checksum = sha.Finish();
        std::memcpy(bytes.data() + bytes.size() - 32, checksum.data(), checksum.size());
    }
    const auto open = [&](const std::string&) -> std::unique_ptr<ByteSource> {
        return std::make_unique<MemorySource>(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    };
    MemorySource source(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    std::string error;
    const auto header = ReadBandHeader(source, error);
    if (!header) {
        if (error.empty())
            fuzz::Contradiction("a band was refused without a reason");
        return 0;
    }
    if (!BandChecksumMatches(source))
        fuzz::Contradiction("a band whose checksum was made right does not match it");
    if (!FitsTheFuzzer(*header))
        return 0;

    BandSet bands;
    if (!bands.Open({"band"}, open, error)) {
        if (error.empty())
            fuzz::Contradiction("a band set was refused without a reason");
        return 0;
    }
    // The merge: every row can be had, and the document it writes loads as a picture.
    std::ostringstream bmp;
    if (!WriteBmp(bmp, bands))
        fuzz::Contradiction("the rows of a checked band could not be read");
    std::ostringstream document;
    {
        Archive ar(document);
        bands.WriteDocument(ar);
    }
    std::istringstream in(document.str());
    Archive ar(in, FindRegisteredClass);
    try {
        fuzz::UseLoadedPicture(ReadRenderRecord(ar));
    } catch (const ArchiveError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fuzz::Contradiction("a merged document does not load");
    }
    return 0;
}
