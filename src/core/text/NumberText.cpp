#include "core/text/NumberText.h"

#include <cctype>
#include <algorithm>
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

std::string PlainDecimal(std::string_view text)
{
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        ++i;
    std::string digits;
    std::int64_t point = -1;  // digits before the point
    for (; i < text.size() && (isDigit(text[i]) || (text[i] == '.' && point < 0)); ++i) {
        if (text[i] == '.')
            point = static_cast<std::int64_t>(digits.size());
        else
            digits += text[i];
    }
    if (digits.empty() || i == text.size() || (text[i] != 'e' && text[i] != 'E'))
        return std::string(text);
    if (point < 0)
        point = static_cast<std::int64_t>(digits.size());
    std::size_t from = i + 1;
    if (from < text.size() && text[from] == '+' && from + 1 < text.size() && isDigit(text[from + 1]))
        ++from;
    std::int64_t exponent = 0;
    const auto [end, ec] = std::from_chars(text.data() + from, text.data() + text.size(), exponent);
    constexpr auto kLongest = static_cast<std::int64_t>(kLongestPlainDecimal);
    if (ec != std::errc{} || end != text.data() + text.size() || exponent > kLongest || exponent < -kLongest)
        return std::string(text);
    point += exponent;
    const auto count = static_cast<std::int64_t>(digits.size());
    if (std::max(count, point) + std::max<std::int64_t>(0, -point) + 3 > kLongest)
        return std::string(text);

    std::string plain;
    if (point <= 0)
        plain = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    else if (point >= count)
        plain = digits + std::string(static_cast<std::size_t>(point - count), '0');
    else
        plain = digits.substr(0, static_cast<std::size_t>(point)) + "." + digits.substr(static_cast<std::size_t>(point));
    // Leading zeros of the whole part say nothing.
    const std::size_t first = plain.find_first_not_of('0');
    if (first != std::string::npos && first > 0 && plain[first] == '.')
        plain.erase(0, first - 1);
    else if (first != std::string::npos && first > 0)
        plain.erase(0, first);
    else if (first == std::string::npos)
        plain = "0";
    return negative ? "-" + plain : plain;
}

}  // namespace korvanta
