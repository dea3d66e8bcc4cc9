#include "core/text/NumberText.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace korvanta {

namespace {

std::string_view SkipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    return text.substr(i);
}

}  // namespace

std::optional<double> ScanReal(std::string_view text)
{
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // Only decimal numbers: no "inf", "nan" or hexadecimal forms.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::general);
    if (ec != std::errc{})
        return std::nullopt;
    return negative ? -value : value;
}

std::int32_t AtoI(std::string_view text)
{
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (char ch : text) {
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            break;
        value = std::min(kCap, value * 10 + (ch - '0'));
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, kCap - 1));
}

// "%.16G" without the locale: the decimal separator is always a point.
std::string FormatReal(double value)
{
    char text[64];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 16);
    std::string result(text, ec == std::errc{} ? end : text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string FormatInt(std::int64_t value)
{
    return std::to_string(value);
}

}  // namespace korvanta
