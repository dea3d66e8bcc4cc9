#include "tools/korvanta-render/PictureRequest.h"

#include "tools/korvanta-render/OptionText.h"

#include "core/colorings/ColoringList.h"
#include "core/formulas/FormulaList.h"
#include "core/render/RenderRequest.h"
#include "core/scenes/SampleScenes.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace korvanta {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsWholeNumber(const std::string& text)
{
    return WholeNumber(text).has_value();
}

// Empty parts count too: "1,2,3,4," has five.
std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// A finite decimal real that is the whole text ("1.2.3", "1e" and "inf" are not).
bool IsReal(const std::string& text)
{
    std::string_view digits = text;
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    return !digits.empty() && error == std::errc() && stop == end && std::isfinite(value) &&
           digits.find_first_not_of("0123456789.-+eE") == std::string_view::npos &&
           ScanReal(text) == value;
}

// A class of `classes` by list number, display name, class name, or class name without the
// family prefix; -1 when none.
template <class T>
int FindByName(std::span<const CRuntimeClass* const> classes, const std::string& wanted,
               const char* prefix)
{
    // A list number first; "2304" is also the short class name of Fantasy 2304.
    if (const auto index = WholeNumber(wanted); index && *index < static_cast<int>(classes.size()))
        return *index;
    const std::string key = Lower(wanted);
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const std::string className = classes[i]->m_lpszClassName;
        auto object = CreateListed<T>(classes, static_cast<std::int32_t>(i));
        if (key == Lower(object->GetName()) || key == Lower(className) ||
            key == Lower(className.substr(std::string(prefix).size())))
            return static_cast<int>(i);
    }
    return -1;
}

bool ApplyScene(const std::string& wanted, RenderFields& f, std::string& error)
{
    int index = -1;
    if (IsWholeNumber(wanted)) {
        index = AtoI(wanted);
    } else {
        for (std::size_t i = 0; i < kSampleScenes.size(); ++i)
            if (Lower(kSampleScenes[i].name) == Lower(wanted))
                index = static_cast<int>(i);
    }
    if (index < 0 || index >= static_cast<int>(kSampleScenes.size())) {
        error = "no sample scene '" + wanted + "' (there are 0 to 10; see the explorer's Samples list)";
        return false;
    }
    f = FieldsOf(kSampleScenes[index]);
    return true;
}

bool ApplyOptions(const RenderOptions& o, RenderFields& f, std::string& error)
{
    if (o.area) {
        const auto parts = Split(*o.area, ',');
        if (parts.size() != 4 || !std::all_of(parts.begin(), parts.end(), IsReal)) {
            error = "--area needs four numbers X0,X1,Y0,Y1, not '" + *o.area + "'";
            return false;
        }
        f.xStart = parts[0], f.xEnd = parts[1], f.yStart = parts[2], f.yEnd = parts[3];
    }
    if (o.size) {
        const auto parts = Split(Lower(*o.size), 'x');
        if (parts.size() != 2 || !IsWholeNumber(parts[0]) || !IsWholeNumber(parts[1])) {
            error = "--size needs WIDTHxHEIGHT, not '" + *o.size + "'";
            return false;
        }
        f.width = parts[0], f.height = parts[1];
    }
    if (o.formula) {
        f.formula = FindByName<CFractAlg>(FormulaClasses(), *o.formula, "CFractAlg");
        if (f.formula < 0) {
            error = "no formula '" + *o.formula + "'";
            return false;
        }
    }
    if (o.coloring) {
        f.coloring = FindByName<CFractCol>(ColoringClasses(), *o.coloring, "CFractCol");
        if (f.coloring < 0) {
            error = "no coloring '" + *o.coloring + "'";
            return false;
        }
        f.colors.clear();  // choosing a coloring shows its own count, as in the explorer
    }
    if (o.colors) {
        if (!IsWholeNumber(*o.colors)) {
            error = "--colors needs a whole number, not '" + *o.colors + "'";
            return false;
        }
        f.colors = *o.colors;
    }
    if (o.constant) {
        const auto parts = Split(*o.constant, ',');
        if (parts.size() != 2 || !IsReal(parts[0]) || !IsReal(parts[1])) {
            error = "--constant needs RE,IM, not '" + *o.constant + "'";
            return false;
        }
        f.cRe = parts[0], f.cIm = parts[1];
    }
    if (o.aspect)
        f.aspectRatio = *o.aspect ? 1 : 0;
    if (o.values)
        f.showValues = *o.values ? 1 : 0;
    return true;
}

// The option a refused field came from, for the message.
const char* OptionOf(RenderField field)
{
    switch (field) {
    case RenderField::Width:
    case RenderField::Height: return "--size";
    case RenderField::CRe:
    case RenderField::CIm: return "--constant";
    default: return "--area";
    }
}

}  // namespace

bool PictureFields(const RenderOptions& o, RenderFields& f, std::string& error)
{
    f = RenderFields{};
    return (!o.scene || ApplyScene(*o.scene, f, error)) && ApplyOptions(o, f, error);
}

std::unique_ptr<RenderJob> PreparePicture(const RenderOptions& o, const OverlayDrawer& overlay,
                                          std::string& error)
{
    RenderFields f;
    if (!PictureFields(o, f, error))
        return nullptr;

    PictureObjects objects{CreateFormula(f.formula), CreateColoring(f.coloring)};
    auto checked = CheckRenderFields(f, objects.alg->UsesConstant());
    if (const auto* problem = std::get_if<FieldProblem>(&checked)) {
        error = std::string(OptionOf(problem->field)) + ": " + problem->message;
        return nullptr;
    }
    const RenderRequest& request = std::get<RenderRequest>(checked);
    // Without a count of its own the field shows the coloring's, as in the explorer.
    if (f.colors.empty())
        f.colors = FormatInt(objects.col->GetNumColors());
    PrepareObjects(f, request.constant, *objects.alg, *objects.col);
    auto job = std::make_unique<RenderJob>(request.settings, std::move(objects));
    const RenderSettings& settings = job->Settings();  // with its views on the objects
    if (!job->CreateBitmaps(settings.m_bShowValues ? overlay(settings) : PixelBuffer{})) {
        error = messages::kOutOfMemory;
        return nullptr;
    }
    return job;
}

}  // namespace korvanta
