#include "tools/korvanta-render/PictureRequest.h"

#include "tools/korvanta-render/OptionText.h"

#include "core/colorings/ColoringList.h"
#include "core/exchange/LocationFields.h"
#include "core/exchange/LocationFileIo.h"
#include "core/files/PictureParameters.h"
#include "core/formulas/FormulaList.h"
#include "core/render/DeepRequest.h"
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

// Deep pictures take coordinates closer to 0 than doubles hold.
bool IsRealOrBelowDoubles(const std::string& text)
{
    return IsReal(text) || BelowDoubles(text);
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

bool ApplyPicture(const std::string& path, RenderFields& f, std::string& error)
{
    FileSource png(path);
    if (!png.IsOpen()) {
        error = "--from: cannot open '" + path + "'";
        return false;
    }
    auto read = ReadPngParameters(png);
    if (auto* problem = std::get_if<std::string>(&read)) {
        error = "--from: '" + path + "': " + *problem;
        return false;
    }
    f = std::get<RenderFields>(read);
    return true;
}

bool ApplyOptions(const RenderOptions& o, RenderFields& f, std::string& error)
{
    if (o.area) {
        const auto parts = Split(*o.area, ',');
        if (parts.size() != 4 || !std::all_of(parts.begin(), parts.end(), IsRealOrBelowDoubles)) {
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
        if (parts.size() != 2 || !IsRealOrBelowDoubles(parts[0]) || !IsRealOrBelowDoubles(parts[1])) {
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

// --centre and --radius, once the size is known.
bool ApplyCentre(const RenderOptions& o, RenderFields& f, std::string& error)
{
    if (!o.centre && !o.radius)
        return true;
    if (o.area) {
        error = "--area and --centre say the same; give one of them";
        return false;
    }
    if (!o.centre || !o.radius) {
        error = o.centre ? "--centre needs --radius (half the picture's height)" : "--radius needs --centre";
        return false;
    }
    const auto parts = Split(*o.centre, ',');
    if (parts.size() != 2 || !IsRealOrBelowDoubles(parts[0]) || !IsRealOrBelowDoubles(parts[1])) {
        error = "--centre needs RE,IM, not '" + *o.centre + "'";
        return false;
    }
    const auto area = IsRealOrBelowDoubles(*o.radius) ? AreaAroundCentre(parts[0], parts[1], *o.radius, AtoI(f.width), AtoI(f.height))
                                        : std::nullopt;
    if (!area) {
        error = "--radius needs a number above 0 that leaves pixels at least 1e-19728 apart, not '" + *o.radius + "'";
        return false;
    }
    f.xStart = area->xStart, f.xEnd = area->xEnd, f.yStart = area->yStart, f.yEnd = area->yEnd;
    // The area has the size's shape already; fitting the size to its rounded texts could only
    // take a pixel off.
    f.aspectRatio = 0;
    return true;
}

// --location, once the size is known; the formula, coloring and colors given as options stay.
bool ApplyLocation(const RenderOptions& o, RenderFields& f, std::string& error)
{
    if (!o.location)
        return true;
    if (o.area || o.centre) {
        error = "--location gives the area already; leave out --area and --centre";
        return false;
    }
    auto read = ReadLocationFile(*o.location);
    auto fields = std::holds_alternative<Location>(read) ? FieldsFromLocation(std::get<Location>(read), f)
                                                         : std::variant<RenderFields, std::string>(std::get<std::string>(read));
    if (auto* problem = std::get_if<std::string>(&fields)) {
        error = "--location: " + *problem;
        return false;
    }
    const RenderFields given = f;
    f = std::get<RenderFields>(fields);
    if (o.formula)
        f.formula = given.formula;
    if (o.coloring)
        f.coloring = given.coloring;
    if (o.colors)
        f.colors = given.colors;
    return true;
}

}  // namespace

bool PictureFields(const RenderOptions& o, RenderFields& f, std::string& error)
{
    f = RenderFields{};
    if (int(o.scene.has_value()) + int(o.from.has_value()) + int(o.location.has_value()) > 1) {
        error = "--scene, --from and --location each give a whole picture; give one of them";
        return false;
    }
    return (!o.scene || ApplyScene(*o.scene, f, error)) && (!o.from || ApplyPicture(*o.from, f, error)) &&
           ApplyOptions(o, f, error) && ApplyCentre(o, f, error) && ApplyLocation(o, f, error);
}

std::unique_ptr<RenderJob> PreparePicture(const RenderOptions& o, const OverlayDrawer& overlay,
                                          std::string& error, PictureHeld held)
{
    RenderFields f;
    if (!PictureFields(o, f, error))
        return nullptr;

    PictureObjects objects{CreateFormula(f.formula), CreateColoring(f.coloring)};
    const bool usesConstant = objects.alg->UsesConstant();
    auto deep = CheckDeepRenderFields(f, usesConstant);
    auto checked = deep ? std::variant<RenderRequest, FieldProblem>(FieldProblem{}) : CheckRenderFields(f, usesConstant);
    const FieldProblem* problem = deep ? std::get_if<FieldProblem>(&*deep) : std::get_if<FieldProblem>(&checked);
    if (problem) {
        error = std::string(OptionOf(problem->field)) + ": " + problem->message;
        return nullptr;
    }
    if (deep) {
        auto& request = std::get<DeepRenderRequest>(*deep);
        objects.alg = std::move(request.formula);
        checked = std::move(request.request);
    }
    const RenderRequest& request = std::get<RenderRequest>(checked);
    // Without a count of its own the field shows the coloring's, as in the explorer.
    if (f.colors.empty())
        f.colors = FormatInt(objects.col->GetNumColors());
    PrepareObjects(f, request.constant, *objects.alg, *objects.col);
    if (deep && objects.col->GetNumColors() > kDeepLimit) {
        error = "--colors: a deep picture takes at most " + std::to_string(kDeepLimit) + " colors (iterations)";
        return nullptr;
    }
    auto job = std::make_unique<RenderJob>(request.settings, std::move(objects));
    const RenderSettings& settings = job->Settings();  // with its views on the objects
    if (held == PictureHeld::RowByRow) {
        job->CreateOverlayOnly(settings.m_bShowValues ? overlay(settings) : PixelBuffer{});
        return job;
    }
    if (!job->CreateBitmaps(settings.m_bShowValues ? overlay(settings) : PixelBuffer{})) {
        error = messages::kOutOfMemory;
        return nullptr;
    }
    return job;
}

}  // namespace korvanta
