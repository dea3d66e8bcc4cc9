#pragma once

#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvanta {

// A count or index on the command line: digits only (no sign, no blanks), up to the largest
// 32-bit integer.
inline std::optional<std::int32_t> WholeNumber(std::string_view text)
{
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])) || error != std::errc() ||
        stop != end)
        return std::nullopt;
    return value;
}

}  // namespace korvanta
