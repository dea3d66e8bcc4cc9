// Writes the seed inputs of the fuzz corpora: documents of every formula and coloring, whole
// and partial, with the value panel's flag, desktop files of zero to two windows, macros and
// archive scripts, location files and PNGs with parameters. Usage: korvanta-fuzz-seeds FOLDER (it gets one folder per target).
#include "core/archive/Archive.h"
#include "core/colorings/ColoringList.h"
#include "core/exchange/LocationFields.h"
#include "core/exchange/LocationFile.h"
#include "core/files/BandFile.h"
#include "core/files/DesktopFile.h"
#include "core/files/MacroFile.h"
#include "core/files/PictureParameters.h"
#include "core/formulas/FormulaList.h"
#include "core/render/BandRows.h"
#include "core/render/DeepRequest.h"
#include "core/render/RenderRequest.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace korvanta;

std::unique_ptr<RenderJob> Picture(std::int32_t formula, std::int32_t coloring, int steps, bool values)
{
    RenderFields f;
    f.formula = formula, f.coloring = coloring;
    f.width = "6", f.height = "4", f.aspectRatio = 0, f.showValues = values ? 1 : 0;
    f.cRe = "-0.75", f.cIm = "0.11";
    f.colors = "40";
    PictureObjects objects{CreateFormula(formula), CreateColoring(coloring)};
    auto request = std::get<RenderRequest>(CheckRenderFields(f, objects.alg->UsesConstant()));
    PrepareObjects(f, request.constant, *objects.alg, *objects.col);
    auto job = std::make_unique<RenderJob>(request.settings, std::move(objects));
    job->CreateBitmaps();
    for (int i = 0; (steps < 0 || i < steps) && job->RenderStep() != 0; ++i) {
    }
    return job;
}

// A small deep picture of the formula at `formula` (0 to 4), `depth` decimal places deep.
std::unique_ptr<RenderJob> DeepPicture(std::int32_t formula, int depth, int steps)
{
    RenderFields f;
    f.formula = formula, f.coloring = 2;
    f.width = "6", f.height = "4", f.aspectRatio = 0, f.showValues = 0;
    f.xStart = "0." + std::string(static_cast<std::size_t>(depth), '0') + "3";
    f.xEnd = "0." + std::string(static_cast<std::size_t>(depth), '0') + "9";
    f.yStart = "-1." + std::string(static_cast<std::size_t>(depth), '0') + "2";
    f.yEnd = "-1";
    f.cRe = "0", f.cIm = "-1";
    f.colors = "300";
    PictureObjects objects{CreateFormula(formula), CreateColoring(2)};
    auto checked = CheckDeepRenderFields(f, objects.alg->UsesConstant());
    auto& deep = std::get<DeepRenderRequest>(*checked);
    PrepareObjects(f, deep.request.constant, *deep.formula, *objects.col);
    objects.alg = std::move(deep.formula);
    auto job = std::make_unique<RenderJob>(deep.request.settings, std::move(objects));
    job->CreateBitmaps();
    for (int i = 0; (steps < 0 || i < steps) && job->RenderStep() != 0; ++i) {
    }
    return job;
}

std::string Record(const RenderJob& job)
{
    std::ostringstream out;
    Archive ar(out);
    WindowPlacement placement;
    placement.right = 6, placement.bottom = 4;
    WriteRenderRecord(ar, job, placement);
    return out.str();
}

void Put(const std::filesystem::path& file, const std::string& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// The picture as a PNG with `texts`.
std::string Png(const RenderJob& job, const std::vector<PngText>& texts)
{
    std::FILE* file = std::tmpfile();
    std::string error, bytes;
    if (file && WritePng(file, job.Pixels(), error, texts)) {
        std::rewind(file);
        for (int c; (c = std::fgetc(file)) != EOF;)
            bytes += static_cast<char>(c);
    }
    if (file)
        std::fclose(file);
    return bytes;
}

// Band `band` of `bands` of a finished picture, as korvanta-render --band writes it.
std::string Band(const RenderJob& job, std::int32_t band, std::int32_t bands)
{
    BandHeader header;
    header.settingsRecord = SettingsRecord(job.Settings());
    header.digest = PictureDigest(header.settingsRecord, job.Overlay());
    header.width = job.Settings().m_nWidth;
    header.height = job.Settings().m_nHeight;
    const RowRange rows = BandRows(header.height, band, bands);
    header.firstRow = rows.first, header.rowCount = rows.count;
    header.band = band, header.bands = bands;
    std::ostringstream out;
    BufferRows pixels(job.Pixels());
    WriteBand(out, header, pixels);
    return out.str();
}

std::string Desktop(int windows)
{
    std::ostringstream out;
    Archive ar(out);
    ar.Write(static_cast<std::uint32_t>(windows));
    for (int i = 0; i < windows; ++i) {
        const std::string record = Record(*Picture(i, i + 1, -1, false));
        ar.WriteBytes(record.data(), record.size());
    }
    DesktopFields fields{"-2", "1", "-1.5", "1.5", "200", "150", "0.1", "-0.7", 1, 1, 1, 0,
                         "300", 1, 2, 3, {}};
    TransferDesktopFields(ar, fields);
    return out.str();
}

std::string Macro(int events, bool cut)
{
    std::ostringstream out;
    WriteMacroHeader(out, {100, 80, 500, 400, 30, 40});
    const std::uint32_t messages[] = {macro::kMouseMove, macro::kLeftDown, macro::kLeftUp,
                                      macro::kKeyDown, macro::kKeyUp, macro::kRightDown};
    for (int i = 0; i < events; ++i)
        WriteMacroEvent(out, {messages[i % 6], 200u + 3u * i, 150u + i, 16u * i, 0});
    std::string bytes = out.str();
    if (cut)
        bytes.resize(bytes.size() - 7);
    return bytes;
}

std::string ArchiveScript(const std::string& script, const CObject* first, const CObject* second)
{
    std::ostringstream out;
    out << script;
    Archive ar(out);
    ar.WriteString("Korvanta");
    ar.WriteObject(first);
    ar.WriteObject(second);
    ar.WriteObject(first);  // a reference to an object stored earlier
    ar.Write(1.5);
    return out.str();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const auto formulas = static_cast<std::int32_t>(FormulaClasses().size());
    const auto colorings = static_cast<std::int32_t>(ColoringClasses().size());
    for (std::int32_t f = 0; f < formulas; ++f)
        for (std::int32_t c = 0; c < colorings; ++c)
            Put(root / "document" / ("f" + std::to_string(f) + "-c" + std::to_string(c) + ".fra"),
                Record(*Picture(f, c, -1, false)));
    for (int steps : {0, 1, 7, 13})
        Put(root / "document" / ("partial-" + std::to_string(steps) + ".fra"),
            Record(*Picture(steps % formulas, steps % colorings, steps, false)));
    Put(root / "document" / "values.fra", Record(*Picture(1, 2, -1, true)));
    for (std::int32_t f = 0; f < 5; ++f)
        Put(root / "document" / ("deep-f" + std::to_string(f) + ".fra"), Record(*DeepPicture(f, f % 2 ? 40 : 330, 5)));

    for (std::int32_t f = 0; f < formulas; ++f)
        Put(root / "band" / ("f" + std::to_string(f) + "-whole.band"), Band(*Picture(f, f % colorings, -1, f == 3), 0, 1));
    const auto split = Picture(1, 2, -1, false);
    for (std::int32_t k = 0; k < 4; ++k)
        Put(root / "band" / ("band-" + std::to_string(k) + "-of-4.band"), Band(*split, k, 4));

    for (int windows : {0, 1, 2})
        Put(root / "desktop" / ("windows-" + std::to_string(windows) + ".dsk"), Desktop(windows));

    for (auto [events, cut] : {std::pair{0, false}, {1, false}, {6, false}, {12, true}})
        Put(root / "macro" / ("events-" + std::to_string(events) + (cut ? "-cut" : "") + ".frm"),
            Macro(events, cut));

    const auto formula = CreateFormula(2);
    const auto coloring = CreateColoring(3);
    Put(root / "archive" / "string-objects.bin",
        ArchiveScript(std::string{0, 1, 2, 1, 4, 5, 0, 3}, formula.get(), coloring.get()));
    Put(root / "archive" / "objects-first.bin",
        ArchiveScript(std::string{1, 2, 3, 0, 1, 1, 4, 5}, formula.get(), formula.get()));

    const std::filesystem::path locations = root / "location";
    Put(locations / "kalles.kfr", "Re: -0.75\r\nIm: 0.1\r\nZoom: 1\r\nIterations: 200\r\nColorMethod: 7\r\n"
                                  "Power: 2\r\nFractalType: 0\r\n\r\nColors: 255,255,255,0,0,0,\r\n");
    Put(locations / "fraktaler.toml", "program = \"fraktaler-3\"\n[render]\nshader = \"\"\"\nreal = 1\n\"\"\"\n"
                                      "sizes = [1, [2, \"]\"], # note\n 3]\n[location]\nreal = \"-1.5\" # centre\n"
                                      "imag = '0.25'\nzoom = \"1e14\"\n[bailout]\niterations = 1_024\n");
    Put(locations / "dotted.toml", "location.real = \"2\"\nlocation.imag = \"-3\"\nlocation.zoom = \"4\"\n");
    // The fields of a deep picture 330 places down, as both forms write them.
    RenderFields deep;
    deep.xStart = "0." + std::string(330, '0') + "3", deep.xEnd = "0." + std::string(330, '0') + "9";
    deep.yStart = "-1." + std::string(330, '0') + "2", deep.yEnd = "-1";
    deep.width = "6", deep.height = "4", deep.colors = "300";
    const Location deepLocation = std::get<Location>(LocationOfFields(deep));
    Put(locations / "deep.kfr", WriteLocation(deepLocation, LocationForm::KeyValue));
    Put(locations / "deep.toml", WriteLocation(deepLocation, LocationForm::Toml));
    Put(locations / "cubic.kfr", WriteLocation({"0.1", "-0.2", "5e3", 64, 3}, LocationForm::KeyValue));
    Put(locations / "broken-no-zoom.kfr", "Re: 0\nIm: 0\n");
    Put(locations / "broken-zoom-zero.kfr", "Re: 0\nIm: 0\nZoom: 0\nRe: 1\n");
    Put(locations / "broken-too-deep.kfr", "Re: 0\nIm: 0\nZoom: 1e999999999\n");
    Put(locations / "broken-number.toml", "[location]\nreal = -0.75\nimag = \"0\"\nzoom = \"1\"\n");
    Put(locations / "broken-open-string.toml", "[location]\nreal = \"0\nx = [1,\n");
    const std::filesystem::path pngs = root / "png-parameters";
    const auto julia = Picture(2, 3, -1, true);
    Put(pngs / "julia-values.png", Png(*julia, PngTextsOfPicture(julia->Settings())));
    const auto deepJob = DeepPicture(0, 330, -1);
    Put(pngs / "deep.png", Png(*deepJob, PngTextsOfPicture(deepJob->Settings())));
    Put(pngs / "long-record.png",
        Png(*julia, {{kParametersKeyword, ParametersText(ParametersOfPicture(deepJob->Settings())) +
                                              "Note: " + std::string(3000, 'x') + "\n"}}));
    Put(pngs / "no-parameters.png", Png(*julia, {{"Description", "a picture"}}));
    std::string damaged = ParametersText(ParametersOfPicture(julia->Settings()));
    damaged.replace(damaged.find("Width: "), 7, "Width: -");
    Put(pngs / "damaged.png", Png(*julia, {{kParametersKeyword, damaged}}));
    Put(pngs / "cut.png", Png(*julia, PngTextsOfPicture(julia->Settings())).substr(0, 60));
    Put(pngs / "record.txt", ParametersText(ParametersOfPicture(deepJob->Settings())));
    std::printf("seeds written under %s\n", root.c_str());
    return 0;
}
