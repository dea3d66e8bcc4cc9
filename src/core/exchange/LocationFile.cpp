#include "core/exchange/LocationFile.h"

#include "core/deep/BigFloat.h"
#include "core/deep/DeepLocation.h"
#include "core/render/RenderRequest.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <limits>
#include <span>

namespace korvanta {

namespace {

// How each form names the values in its messages.
struct KeyNames {
    const char *re, *im, *zoom, *iterations, *power;
};
constexpr KeyNames kKeyValueNames{"Re", "Im", "Zoom", "Iterations", "Power"};
constexpr KeyNames kTomlNames{"location.real", "location.imag", "location.zoom", "bailout.iterations", "Power"};

constexpr std::int64_t kMostIterations = std::numeric_limits<std::int32_t>::max();

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A hostile text shown in a message: short, printable.
std::string Quoted(std::string_view text)
{
    constexpr std::size_t kShown = 40;
    std::string shown;
    for (const char c : text.substr(0, kShown))
        shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return "\"" + shown + (text.size() > kShown ? "...\"" : "\"");
}

// A whole number: optional sign and digits. Beyond the int32 range it saturates, so that the
// range check tells the user what is wrong instead of an overflow.
std::optional<std::int64_t> ParseWhole(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), kMostIterations + 1);
    }
    return negative ? -value : value;
}

// Whether a text that BigFloat refuses is a decimal number whose exponent lies beyond MPFR's
// range: +1 when too large, -1 when too close to 0, 0 when it is no number at all.
int BeyondReach(std::string_view text)
{
    const std::size_t e = text.find_first_of("eE");
    if (e == std::string_view::npos || !BigFloat::FromDecimal(text.substr(0, e), 64))
        return 0;
    const std::string_view exponent = text.substr(e + 1);
    if (!ParseWhole(exponent))
        return 0;
    return exponent.front() == '-' ? -1 : 1;
}

std::optional<std::string> CheckCentre(const std::string& text, const char* name)
{
    if (text.size() > kLongestDeepText)
        return std::string(name) + " has more than 1000000 characters";
    const auto value = BigFloat::FromDecimal(text, 64);
    if (!value)
        return std::string(name) + (BeyondReach(text) ? " is beyond the range of Korvanta's numbers: "
                                                       : " is not a decimal number: ") + Quoted(text);
    if (mpfr_cmpabs(value->get(), BigFloat::FromDecimal(kFarthestCentre, 64)->get()) > 0)
        return std::string(name) + " must lie between -" + kFarthestCentre + " and " + kFarthestCentre +
               ", not " + Quoted(text);
    return std::nullopt;
}

std::optional<std::string> CheckZoom(const std::string& text, const char* name)
{
    const std::string tooDeep = std::string(name) +
        " is deeper than Korvanta goes: pixels would lie closer than 2^-65536 (about 1e-19728)";
    const std::string tooShallow = std::string(name) + " must be at least " + kShallowestZoom +
        ": a smaller one shows a view wider than any set";
    if (text.size() > kLongestDeepText)
        return std::string(name) + " has more than 1000000 characters";
    constexpr mpfr_prec_t kBits = 128;
    const auto zoom = BigFloat::FromDecimal(text, kBits);
    if (!zoom) {
        const int reach = BeyondReach(text);
        if (reach != 0 && text.front() == '-')
            return std::string(name) + " must be a number above 0, not " + Quoted(text);
        return reach > 0 ? tooDeep : reach < 0 ? tooShallow
                                                : std::string(name) + " is not a decimal number: " + Quoted(text);
    }
    if (mpfr_sgn(zoom->get()) <= 0)
        return std::string(name) + " must be a number above 0, not " + Quoted(text);
    if (mpfr_cmp(zoom->get(), BigFloat::FromDecimal(kShallowestZoom, kBits)->get()) < 0)
        return tooShallow;
    // As AreaAroundCentre measures the pixels, for the tallest picture there is, a bit to spare.
    BigFloat radius(kBits);
    mpfr_ui_div(radius.get(), 2, zoom->get(), MPFR_RNDN);
    if (LeadingBit(radius) - std::bit_width(static_cast<std::uint32_t>(kMaxPictureSide)) - 1 <
        kDeepestSpacingExponent)
        return tooDeep;
    return std::nullopt;
}

std::optional<std::string> CheckValues(const Location& location, const KeyNames& names)
{
    for (const auto& problem : {CheckCentre(location.re, names.re), CheckCentre(location.im, names.im),
                                CheckZoom(location.zoom, names.zoom)})
        if (problem)
            return problem;
    if (location.iterations && (*location.iterations < 1 || *location.iterations > kMostIterations))
        return std::string(names.iterations) + " must be a whole number from 1 to 2147483647";
    if (location.power != 2 && location.power != 3)
        return "Korvanta draws the Mandelbrot set of power 2 and 3 only; the location has power " +
               std::to_string(location.power);
    return std::nullopt;
}

std::variant<Location, std::string> Checked(Location location, const KeyNames& names)
{
    if (auto problem = CheckValues(location, names))
        return *std::move(problem);
    return location;
}

// Kalles Fraktaler's "Key: value" lines; keys this program has no use for are passed over.
std::variant<Location, std::string> ReadKeyValue(std::string_view text)
{
    struct Slot {
        const char* key;
        std::optional<std::string_view> value;
    };
    Slot slots[] = {{"Re", {}}, {"Im", {}}, {"Zoom", {}}, {"Iterations", {}}, {"Power", {}}};
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view key = Trimmed(line.substr(0, colon));
        for (Slot& slot : slots) {
            if (key != slot.key)
                continue;
            if (slot.value)
                return std::string("The location names ") + slot.key + " twice";
            slot.value = Trimmed(line.substr(colon + 1));
        }
    }
    for (const Slot& slot : std::span(slots, 3))
        if (!slot.value)
            return std::string("The location has no ") + slot.key + ": line";
    Location location{std::string(*slots[0].value), std::string(*slots[1].value), std::string(*slots[2].value), {}, 2};
    if (slots[3].value) {
        location.iterations = ParseWhole(*slots[3].value);
        if (!location.iterations)
            return "Iterations must be a whole number from 1 to 2147483647, not " + Quoted(*slots[3].value);
    }
    if (slots[4].value) {
        const auto power = ParseWhole(*slots[4].value);
        if (!power)
            return "Power must be a whole number, not " + Quoted(*slots[4].value);
        location.power = static_cast<int>(std::clamp<std::int64_t>(*power, -1, kMostIterations));
    }
    return Checked(std::move(location), kKeyValueNames);
}

// The part of TOML that carries a location: tables, plain and dotted keys, and values of
// every kind, skipped whole (strings over several lines, arrays) so that what follows them
// is read as keys again. Nothing recurses and nothing is kept but the wanted values.
class TomlReader {
public:
    explicit TomlReader(std::string_view text) : m_text(text) {}

    std::variant<Location, std::string> Read();

private:
    enum class Kind { String, Integer, Other };
    struct Value {
        Kind kind;
        std::string_view text;
        int line;
    };

    bool AtEnd() const { return m_at >= m_text.size(); }
    char Peek(std::size_t ahead = 0) const
    {
        return m_at + ahead < m_text.size() ? m_text[m_at + ahead] : '\0';
    }
    bool StartsWith(std::string_view what) const { return m_text.substr(m_at).starts_with(what); }
    void Advance()
    {
        m_line += m_text[m_at] == '\n';
        ++m_at;
    }
    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(Peek()))
            Advance();
    }
    void SkipComment()
    {
        if (Peek() == '#')
            while (!AtEnd() && Peek() != '\n')
                Advance();
    }
    std::string At(int line) const { return "Line " + std::to_string(line) + " of the location"; }

    // Past a string that starts here; false when it does not end.
    bool SkipString();
    std::optional<std::string> ReadValue(Value& value);
    std::optional<std::string> EndOfLine();

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
};

bool TomlReader::SkipString()
{
    const char quote = Peek();
    if (StartsWith(std::string(3, quote))) {
        for (int i = 0; i < 3; ++i)
            Advance();
        while (!AtEnd() && !StartsWith(std::string(3, quote))) {
            if (quote == '"' && Peek() == '\\')
                Advance();
            if (!AtEnd())
                Advance();
        }
        if (AtEnd())
            return false;
        for (int i = 0; i < 3; ++i)
            Advance();
        // A closing run of up to five quotes ends with the last three.
        while (Peek() == quote)
            Advance();
        return true;
    }
    Advance();
    while (!AtEnd() && Peek() != quote && Peek() != '\n') {
        if (quote == '"' && Peek() == '\\' && Peek(1) != '\n')
            Advance();
        Advance();
    }
    if (Peek() != quote)
        return false;
    Advance();
    return true;
}

std::optional<std::string> TomlReader::ReadValue(Value& value)
{
    value.line = m_line;
    const std::size_t start = m_at;
    const char first = Peek();
    if (first == '"' || first == '\'') {
        const bool single = !StartsWith(std::string(3, first));
        if (!SkipString())
            return At(value.line) + " has a string that does not end";
        value.kind = single ? Kind::String : Kind::Other;
        value.text = single ? m_text.substr(start + 1, m_at - start - 2) : std::string_view();
        return std::nullopt;
    }
    if (first == '[' || first == '{') {
        std::size_t depth = 0;
        do {
            const char c = Peek();
            if (c == '"' || c == '\'') {
                if (!SkipString())
                    return At(m_line) + " has a string that does not end";
                continue;
            }
            if (c == '#') {
                SkipComment();
                continue;
            }
            depth += c == '[' || c == '{';
            depth -= (c == ']' || c == '}') && depth > 0;
            Advance();
        } while (depth > 0 && !AtEnd());
        if (depth > 0)
            return At(value.line) + " opens an array or table that does not close";
        value.kind = Kind::Other;
        return std::nullopt;
    }
    while (!AtEnd() && Peek() != '\n' && Peek() != '#')
        Advance();
    value.text = Trimmed(m_text.substr(start, m_at - start));
    if (value.text.empty())
        return At(value.line) + " has a key without a value";
    std::string digits;
    for (const char c : value.text)
        if (c != '_')
            digits += c;
    value.kind = ParseWhole(digits) ? Kind::Integer : Kind::Other;
    return std::nullopt;
}

std::optional<std::string> TomlReader::EndOfLine()
{
    SkipBlanks();
    SkipComment();
    if (AtEnd())
        return std::nullopt;
    if (Peek() != '\n')
        return At(m_line) + " has more after its value";
    Advance();
    return std::nullopt;
}

std::variant<Location, std::string> TomlReader::Read()
{
    struct Slot {
        const char* key;
        Kind kind;
        std::optional<Value> value;
    };
    Slot slots[] = {{"location.real", Kind::String, {}},
                    {"location.imag", Kind::String, {}},
                    {"location.zoom", Kind::String, {}},
                    {"bailout.iterations", Kind::Integer, {}}};
    // Dotted names, spaces around the dots and quotes of the parts dropped.
    const auto normal = [](std::string_view name) {
        std::string out;
        while (true) {
            const std::size_t dot = name.find('.');
            std::string_view part = Trimmed(name.substr(0, dot));
            if (part.size() >= 2 && (part.front() == '"' || part.front() == '\'') && part.back() == part.front())
                part = part.substr(1, part.size() - 2);
            out += part;
            if (dot == std::string_view::npos)
                return out;
            out += '.';
            name.remove_prefix(dot + 1);
        }
    };
    std::string table;
    while (true) {
        while (!AtEnd() && (IsBlank(Peek()) || Peek() == '\n' || Peek() == '#')) {
            SkipComment();
            if (!AtEnd())
                Advance();
        }
        if (AtEnd())
            break;
        const int line = m_line;
        if (Peek() == '[') {
            const std::size_t start = m_at;
            while (!AtEnd() && Peek() != '\n' && Peek() != '#')
                Advance();
            const std::string_view header = Trimmed(m_text.substr(start, m_at - start));
            if (header.starts_with("[[") && header.ends_with("]]") && header.size() >= 4)
                table = "[]";  // arrays of tables hold nothing of a location
            else if (header.size() >= 2 && header.back() == ']')
                table = normal(header.substr(1, header.size() - 2));
            else
                return At(line) + " has a table name without its ]";
        } else {
            const std::size_t start = m_at;
            while (!AtEnd() && Peek() != '=' && Peek() != '\n') {
                if ((Peek() == '"' || Peek() == '\'') && !SkipString())
                    return At(line) + " has a key whose quotes do not end";
                if (Peek() != '=' && Peek() != '\n' && !AtEnd())
                    Advance();
            }
            if (Peek() != '=')
                return At(line) + " is neither a [table] nor key = value";
            const std::string key = normal(m_text.substr(start, m_at - start));
            Advance();
            SkipBlanks();
            Value value{Kind::Other, {}, line};
            if (auto problem = ReadValue(value))
                return *std::move(problem);
            const std::string name = table.empty() ? key : table + "." + key;
            for (Slot& slot : slots) {
                if (name != slot.key)
                    continue;
                if (slot.value)
                    return std::string("The location names ") + slot.key + " twice";
                if (value.kind != slot.kind)
                    return At(line) + ": " + slot.key +
                           (slot.kind == Kind::String ? " must be a decimal number in quotes, as in real = \"-0.75\""
                                                      : " must be a whole number, as in iterations = 1024");
                slot.value = value;
            }
        }
        if (auto problem = EndOfLine())
            return *std::move(problem);
    }
    for (const Slot& slot : std::span(slots, 3))
        if (!slot.value)
            return std::string("The location has no ") + slot.key + " = \"...\"";
    Location location{std::string(slots[0].value->text), std::string(slots[1].value->text),
                      std::string(slots[2].value->text), {}, 2};
    if (slots[3].value) {
        std::string digits;
        for (const char c : slots[3].value->text)
            if (c != '_')
                digits += c;
        location.iterations = ParseWhole(digits);
    }
    return Checked(std::move(location), kTomlNames);
}

// TOML starts with a [table] or key = value; the other form's first line is "Key: value".
bool LooksLikeToml(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[')
            return true;
        const std::size_t equals = line.find('=');
        return equals != std::string_view::npos && equals < line.find(':');
    }
    return false;
}

}  // namespace

std::variant<Location, std::string> ReadLocation(std::string_view text)
{
    if (text.size() > kLargestLocationFile)
        return "The file is too large for a location: it has " + std::to_string(text.size()) +
               " bytes, a location at most " + std::to_string(kLargestLocationFile);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (LooksLikeToml(text))
        return TomlReader(text).Read();
    return ReadKeyValue(text);
}

std::optional<std::string> CheckLocation(const Location& location)
{
    return CheckValues(location, kKeyValueNames);
}

std::string WriteLocation(const Location& location, LocationForm form)
{
    std::string out;
    if (form == LocationForm::Toml) {
        out = "[location]\nreal = \"" + location.re + "\"\nimag = \"" + location.im + "\"\nzoom = \"" +
              location.zoom + "\"\n";
        if (location.iterations)
            out += "\n[bailout]\niterations = " + std::to_string(*location.iterations) + "\n";
        return out;
    }
    out = "Re: " + location.re + "\nIm: " + location.im + "\nZoom: " + location.zoom + "\n";
    if (location.iterations)
        out += "Iterations: " + std::to_string(*location.iterations) + "\n";
    if (location.power != 2)
        out += "Power: " + std::to_string(location.power) + "\n";
    return out;
}

LocationForm LocationFormOfName(const std::string& path)
{
    constexpr std::string_view kToml = ".toml";
    if (path.size() < kToml.size())
        return LocationForm::KeyValue;
    const std::string_view end = std::string_view(path).substr(path.size() - kToml.size());
    const bool toml = std::equal(end.begin(), end.end(), kToml.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
    return toml ? LocationForm::Toml : LocationForm::KeyValue;
}

}  // namespace korvanta
