// korvanta-list-names: the names korvanta-render accepts for formulas, colorings and sample
// scenes, and the extensions of the files it writes, one a line, for the shell completion.
#include "core/colorings/ColoringList.h"
#include "core/files/PictureExport.h"
#include "core/formulas/FormulaList.h"
#include "core/scenes/SampleScenes.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The display names, then the class names without their family prefix where they differ. A
// name of digits alone would be taken as a list number, so none is offered.
template <class Create>
std::vector<std::string> ClassNames(std::span<const korvanta::CRuntimeClass* const> classes,
                                    Create create, std::string_view prefix)
{
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < classes.size(); ++i)
        if (const auto object = create(static_cast<std::int32_t>(i)))
            if (seen.insert(Lower(object->GetName())).second)
                names.push_back(object->GetName());
    for (const auto* type : classes) {
        std::string_view name = type->m_lpszClassName;
        if (name.starts_with(prefix))
            name.remove_prefix(prefix.size());
        const bool digits = name.find_first_not_of("0123456789") == std::string_view::npos;
        if (!digits && seen.insert(Lower(std::string(name))).second)
            names.emplace_back(name);
    }
    return names;
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string kind = argc == 2 ? argv[1] : "";
    std::vector<std::string> names;
    if (kind == "formulas") {
        names = ClassNames(korvanta::FormulaClasses(), korvanta::CreateFormula, "CFractAlg");
    } else if (kind == "colorings") {
        names = ClassNames(korvanta::ColoringClasses(), korvanta::CreateColoring, "CFractCol");
    } else if (kind == "scenes") {
        for (const auto& scene : korvanta::kSampleScenes)
            names.emplace_back(scene.name);
    } else if (kind == "extensions") {
        for (const auto& format : korvanta::kSaveFormats)
            names.push_back(Lower(format.extension + 1));
    } else {
        std::cerr << "Usage: korvanta-list-names formulas|colorings|scenes|extensions\n";
        return 2;
    }
    for (const auto& name : names)
        std::cout << name << '\n';
    return 0;
}
