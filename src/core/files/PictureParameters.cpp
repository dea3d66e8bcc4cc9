#include "core/files/PictureParameters.h"

#include "core/colorings/ColoringList.h"
#include "core/deep/BigFloat.h"
#include "core/deep/FractAlgDeep.h"
#include "core/files/PngTexts.h"
#include "core/formulas/FormulaList.h"
#include "core/render/ValuePanelText.h"
#include "core/text/NumberText.h"

#include <array>
#include <charconv>
#include <optional>

namespace korvanta {

namespace {

constexpr int kVersion = 1;
constexpr const char* kVersionKey = "Korvanta parameters";

// The shortest text that reads back to the same double.
std::string Exact(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

enum Key { kFormula, kColoring, kColors, kXStart, kXEnd, kYStart, kYEnd, kCRe, kCIm, kWidth, kHeight, kValues,
           kKeyCount };
constexpr std::array<const char*, kKeyCount> kKeys{"Formula", "Coloring", "Colors", "X start", "X end", "Y start",
                                                   "Y end",   "C re",     "C im",   "Width",   "Height", "Show values"};

template <class Create>
std::optional<std::int32_t> IndexOfName(std::size_t count, const Create& create, std::string_view name)
{
    for (std::size_t i = 0; i < count; ++i)
        if (const auto object = create(static_cast<std::int32_t>(i)); object && name == object->GetName())
            return static_cast<std::int32_t>(i);
    return std::nullopt;
}

template <class Create>
std::string NameOfIndex(const Create& create, std::int32_t index)
{
    const auto object = create(index);
    return object ? object->GetName() : std::to_string(index);
}

bool IsWholeNumber(std::string_view text)
{
    return !text.empty() && text.size() <= 10 &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace

RenderFields ParametersOfPicture(const RenderSettings& settings)
{
    RenderFields f;
    const CFractAlg* alg = settings.m_pAlg;
    const CFractValue constant = alg ? alg->GetConstant() : CFractValue{};
    f.cRe = Exact(constant.m_z.real());
    f.cIm = Exact(constant.m_z.imag());
    if (const auto* deep = dynamic_cast<const CFractAlgDeep*>(alg)) {
        const DeepArea& a = deep->Area();
        f.xStart = a.xStart, f.xEnd = a.xEnd, f.yStart = a.yStart, f.yEnd = a.yEnd;
        if (deep->UsesConstant())
            f.cRe = deep->ConstantRe(), f.cIm = deep->ConstantIm();
    } else {
        f.xStart = Exact(settings.m_dXStart), f.xEnd = Exact(settings.m_dXEnd);
        f.yStart = Exact(settings.m_dYStart), f.yEnd = Exact(settings.m_dYEnd);
    }
    f.width = FormatInt(settings.m_nWidth);
    f.height = FormatInt(settings.m_nHeight);
    f.colors = FormatInt(settings.m_pCol ? settings.m_pCol->GetNumColors() : alg ? alg->GetMaxIter() : 0);
    f.formula = settings.m_nFormula;
    f.coloring = settings.m_nColoring;
    f.aspectRatio = 0;
    f.showValues = settings.m_bShowValues ? 1 : 0;
    return f;
}

std::string ParametersText(const RenderFields& f)
{
    const std::array<std::string, kKeyCount> values{
        NameOfIndex(CreateFormula, f.formula), NameOfIndex(CreateColoring, f.coloring), f.colors, f.xStart, f.xEnd,
        f.yStart, f.yEnd, f.cRe, f.cIm, f.width, f.height, f.showValues == 1 ? "yes" : "no"};
    std::string text;
    text.append(kVersionKey).append(": ").append(std::to_string(kVersion)).append("\n");
    for (std::size_t i = 0; i < kKeyCount; ++i)
        text.append(kKeys[i]).append(": ").append(values[i]).append("\n");
    return text;
}

std::variant<RenderFields, std::string> ReadParametersText(std::string_view text)
{
    if (text.size() > kLongestParametersText)
        return std::string("The parameters are longer than any picture's");
    std::array<std::optional<std::string_view>, kKeyCount> values;
    std::optional<std::string_view> version;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(text.size(), end + 1));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t colon = line.find(": ");
        if (line.empty() || colon == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, colon), value = line.substr(colon + 2);
        if (key == kVersionKey) {
            if (version)
                return std::string("The parameters give their version twice");
            version = value;
            continue;
        }
        for (std::size_t i = 0; i < kKeyCount; ++i) {
            if (key != kKeys[i])
                continue;
            if (values[i])
                return "The parameters give \"" + std::string(key) + "\" twice";
            values[i] = value;
        }
    }
    if (!version)
        return std::string("These are not Korvanta parameters: the version line is missing");
    if (*version != std::to_string(kVersion))
        return "The parameters are of a version (" + std::string(version->substr(0, 20)) +
               ") this Korvanta does not read";
    for (std::size_t i = 0; i < kKeyCount; ++i)
        if (!values[i])
            return "The parameters have no \"" + std::string(kKeys[i]) + "\"";

    RenderFields f;
    const auto formula = IndexOfName(FormulaClasses().size(), CreateFormula, *values[kFormula]);
    if (!formula)
        return "The parameters name a formula this Korvanta does not have: " + std::string(values[kFormula]->substr(0, 40));
    const auto coloring = IndexOfName(ColoringClasses().size(), CreateColoring, *values[kColoring]);
    if (!coloring)
        return "The parameters name a coloring this Korvanta does not have: " +
               std::string(values[kColoring]->substr(0, 40));
    f.formula = *formula, f.coloring = *coloring;
    for (const Key key : {kColors, kWidth, kHeight})
        if (!IsWholeNumber(*values[key]))
            return "The parameters' \"" + std::string(kKeys[key]) + "\" is not a whole number";
    for (const Key key : {kXStart, kXEnd, kYStart, kYEnd, kCRe, kCIm})
        if (values[key]->size() > kLongestDeepText || !BigFloat::FromDecimal(*values[key], 64))
            return "The parameters' \"" + std::string(kKeys[key]) + "\" is not a decimal number";
    if (*values[kValues] != "yes" && *values[kValues] != "no")
        return std::string("The parameters' \"Show values\" is neither yes nor no");
    f.colors = *values[kColors];
    f.width = *values[kWidth], f.height = *values[kHeight];
    f.xStart = *values[kXStart], f.xEnd = *values[kXEnd], f.yStart = *values[kYStart], f.yEnd = *values[kYEnd];
    f.cRe = *values[kCRe], f.cIm = *values[kCIm];
    f.aspectRatio = 0;
    f.showValues = *values[kValues] == "yes" ? 1 : 0;
    return f;
}

std::string DescribeParameters(const RenderSettings& settings)
{
    const ValuePanelText panel = ValuePanelTextOf(settings);
    std::string text = std::string(Trimmed(panel.name));
    if (settings.m_pCol)
        text += ", " + std::string(settings.m_pCol->GetName()) + " coloring, " +
                FormatInt(settings.m_pCol->GetNumColors()) + " colors";
    text += "; " + panel.re + "; " + panel.im;
    const CFractAlg* alg = settings.m_pAlg;
    if (const auto* deep = dynamic_cast<const CFractAlgDeep*>(alg); deep && deep->UsesConstant())
        text += "; C ( " + deep->ConstantRe().substr(0, 24) + ", " + deep->ConstantIm().substr(0, 24) + " )";
    else if (alg && alg->UsesConstant())
        text += "; C ( " + FormatReal(alg->GetConstant().m_z.real()) + ", " +
                FormatReal(alg->GetConstant().m_z.imag()) + " )";
    text += "; " + FormatInt(settings.m_nWidth) + " x " + FormatInt(settings.m_nHeight) + " pixels";
    return text;
}

std::variant<RenderFields, std::string> ReadPngParameters(ByteSource& png)
{
    auto texts = ReadPngTexts(png);
    if (auto* problem = std::get_if<std::string>(&texts))
        return std::move(*problem);
    for (const PngText& text : std::get<std::vector<PngText>>(texts)) {
        if (text.keyword != kParametersKeyword)
            continue;
        auto fields = ReadParametersText(text.text);
        if (auto* problem = std::get_if<std::string>(&fields))
            return "The picture's parameters in this PNG are damaged: " + *problem;
        return fields;
    }
    return std::string("This PNG holds no Korvanta parameters (its \"Korvanta parameters\" text is missing): only "
                       "pictures that Korvanta wrote can be opened as their parameters");
}

std::vector<PngText> PngTextsOfPicture(const RenderSettings& settings)
{
    return {{"Description", DescribeParameters(settings)},
            {"Software", std::string("Korvanta ") + KORVANTA_VERSION},
            {kParametersKeyword, ParametersText(ParametersOfPicture(settings))}};
}

}  // namespace korvanta
