#include "core/render/ValuePanelText.h"

#include "core/deep/FractAlgDeep.h"
#include "core/text/NumberText.h"

#include <cstdio>

namespace korvanta {

namespace {

std::string Printed(const char* format, const BigFloat& value)
{
    char text[96];
    mpfr_snprintf(text, sizeof text, format, value.get());
    return text;
}

// Doubles would show the same digits for both edges of a deep picture: its centre and
// width say where it is at any depth.
std::optional<ValuePanelText> DeepPanelText(const CFractAlgDeep& deep, std::string name)
{
    const auto read = ReadDeepArea(deep.Area());
    const auto* exact = std::get_if<ExactArea>(&read);
    if (!exact)
        return std::nullopt;
    const auto& [x0, x1, y0, y1] = exact->edges;
    const mpfr_prec_t readBits = exact->bits;
    BigFloat re(readBits + 1), im(readBits + 1), width(readBits + 1);
    mpfr_add(re.get(), x0.get(), x1.get(), MPFR_RNDN);
    mpfr_div_2ui(re.get(), re.get(), 1, MPFR_RNDN);
    mpfr_add(im.get(), y0.get(), y1.get(), MPFR_RNDN);
    mpfr_div_2ui(im.get(), im.get(), 1, MPFR_RNDN);
    mpfr_sub(width.get(), x1.get(), x0.get(), MPFR_RNDN);
    mpfr_abs(width.get(), width.get(), MPFR_RNDN);
    return ValuePanelText{std::move(name),
                          "Centre ( " + Printed("%.17RG", re) + ", " + Printed("%.17RG", im) + " )",
                          "Width " + Printed("%.5RG", width)};
}

}  // namespace

ValuePanelText ValuePanelTextOf(const RenderSettings& s)
{
    const Area area = s.GetArea();
    std::string name = s.m_pAlg ? s.m_pAlg->GetName() : "";
    if (name.size() < 20)
        name.resize(20, ' ');
    if (const auto* deep = dynamic_cast<const CFractAlgDeep*>(s.m_pAlg))
        if (auto text = DeepPanelText(*deep, name + ' '))
            return *text;
    return {name + ' ', "Re ( " + FormatReal(area.xStart) + ", " + FormatReal(area.xEnd) + " )",
            "Im ( " + FormatReal(area.yStart) + ", " + FormatReal(area.yEnd) + " )"};
}

}  // namespace korvanta
