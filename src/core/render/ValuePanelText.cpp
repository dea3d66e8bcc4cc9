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

struct Depth {
    BigFloat re, im, width, zoom;
};

std::optional<Depth> DepthOf(const CFractAlgDeep& deep)
{
    const auto read = ReadDeepArea(deep.Area());
    const auto* exact = std::get_if<ExactArea>(&read);
    if (!exact)
        return std::nullopt;
    const auto& [x0, x1, y0, y1] = exact->edges;
    const mpfr_prec_t bits = exact->bits + 1;
    Depth d{BigFloat(bits), BigFloat(bits), BigFloat(bits), BigFloat(bits)};
    mpfr_add(d.re.get(), x0.get(), x1.get(), MPFR_RNDN);
    mpfr_div_2ui(d.re.get(), d.re.get(), 1, MPFR_RNDN);
    mpfr_add(d.im.get(), y0.get(), y1.get(), MPFR_RNDN);
    mpfr_div_2ui(d.im.get(), d.im.get(), 1, MPFR_RNDN);
    mpfr_sub(d.width.get(), x1.get(), x0.get(), MPFR_RNDN);
    mpfr_abs(d.width.get(), d.width.get(), MPFR_RNDN);
    mpfr_sub(d.zoom.get(), y1.get(), y0.get(), MPFR_RNDN);
    mpfr_abs(d.zoom.get(), d.zoom.get(), MPFR_RNDN);
    mpfr_ui_div(d.zoom.get(), 4, d.zoom.get(), MPFR_RNDN);
    return d;
}

// Doubles would show the same digits for both edges of a deep picture: its centre, width
// and zoom say where it is at any depth.
std::optional<ValuePanelText> DeepPanelText(const CFractAlgDeep& deep, std::string name)
{
    const auto d = DepthOf(deep);
    if (!d)
        return std::nullopt;
    return ValuePanelText{std::move(name),
                          "Centre ( " + Printed("%.17RG", d->re) + ", " + Printed("%.17RG", d->im) + " )",
                          "Width " + Printed("%.5RG", d->width) + "  Zoom " + Printed("%.5RG", d->zoom)};
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

std::optional<DepthText> DepthTextOf(const RenderSettings& s)
{
    const auto* deep = dynamic_cast<const CFractAlgDeep*>(s.m_pAlg);
    const auto d = deep ? DepthOf(*deep) : std::nullopt;
    if (!d)
        return std::nullopt;
    return DepthText{"Width " + Printed("%.5RG", d->width), "Zoom " + Printed("%.5RG", d->zoom)};
}

}  // namespace korvanta
