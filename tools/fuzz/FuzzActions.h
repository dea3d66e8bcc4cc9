#pragma once

#include "core/files/RenderRecord.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvanta::fuzz {

// Pictures beyond this are legal but would only measure the fuzzer's memory limit.
inline constexpr std::uint64_t kMaxFuzzPixels = 4'000'000;
inline constexpr std::int32_t kMaxFuzzDeepLimit = 20'000;

// Whether the record starting at `offset` of `bytes` declares a picture small enough to
// load here; records that do not even read that far are let through to fail properly.
bool RecordFitsTheFuzzer(std::string_view bytes, std::size_t offset);

// What a user does with a picture that loaded: renders a little more, saves it as a
// document, reads that back (it must save to the same bytes), and exports every image
// format, all in memory. Aborts when the program contradicts itself.
void UseLoadedPicture(const LoadedRecord& loaded);

// Stops the run on a contradiction, so the fuzzer keeps the input.
[[noreturn]] void Contradiction(const char* what);

}  // namespace korvanta::fuzz
