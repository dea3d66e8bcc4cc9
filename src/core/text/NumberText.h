#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Reads a real the way the dialog's fields are read: leading blanks, an optional sign, then
// the longest decimal number; independent of the locale. Empty when no number starts there
// or it is out of the range of a double.
std::optional<double> ScanReal(std::string_view text);

// atoi: leading blanks, an optional sign, the leading digits; 0 when there are none.
// Saturates instead of overflowing.
std::int32_t AtoI(std::string_view text);

// How the program shows numbers in its fields: reals with 16 significant digits ("%.16G"),
// integers plainly ("%-ld").
std::string FormatReal(double value);
std::string FormatInt(std::int64_t value);

// A decimal number in exponent form ("-1.25e-3") written out plainly ("-0.00125"): the same
// digits and so exactly the same number, in the characters the fields take. Any other text,
// and one whose exponent would make it longer than kLongestPlainDecimal, comes back as it is.
inline constexpr std::size_t kLongestPlainDecimal = 1000000;
std::string PlainDecimal(std::string_view text);

}  // namespace korvanta
