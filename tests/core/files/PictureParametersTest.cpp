#include "core/files/PictureParameters.h"
#include "core/files/PngTexts.h"

#include "core/colorings/ColoringList.h"
#include "core/formulas/FormulaList.h"
#include "core/render/DeepRequest.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <zlib.h>

using namespace korvanta;

namespace {

bool SameFields(const RenderFields& a, const RenderFields& b)
{
    return a.xStart == b.xStart && a.xEnd == b.xEnd && a.yStart == b.yStart && a.yEnd == b.yEnd &&
           a.width == b.width && a.height == b.height && a.colors == b.colors && a.cRe == b.cRe &&
           a.cIm == b.cIm && a.formula == b.formula && a.coloring == b.coloring && a.aspectRatio == b.aspectRatio &&
           a.showValues == b.showValues;
}

// A picture as Render makes it from fields, its objects prepared.
std::unique_ptr<RenderJob> JobOf(RenderFields f)
{
    PictureObjects objects{CreateFormula(f.formula), CreateColoring(f.coloring)};
    const bool usesConstant = objects.alg->UsesConstant();
    if (auto deep = CheckDeepRenderFields(f, usesConstant)) {
        auto& request = std::get<DeepRenderRequest>(*deep);
        objects.alg = std::move(request.formula);
        PrepareObjects(f, request.request.constant, *objects.alg, *objects.col);
        return std::make_unique<RenderJob>(request.request.settings, std::move(objects));
    }
    const auto checked = CheckRenderFields(f, usesConstant);
    if (const auto* problem = std::get_if<FieldProblem>(&checked))
        ADD_FAILURE() << problem->message;
    const auto request = std::get<RenderRequest>(checked);
    PrepareObjects(f, request.constant, *objects.alg, *objects.col);
    return std::make_unique<RenderJob>(request.settings, std::move(objects));
}

std::string PngWith(const std::vector<PngText>& texts, const std::filesystem::path& path)
{
    const auto job = test::MandelbrotJob(9, 7);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::string error;
    EXPECT_TRUE(WritePng(file, job->Pixels(), error, texts)) << error;
    std::fclose(file);
    return test::ReadAll(path);
}

std::variant<RenderFields, std::string> ParametersOfBytes(const std::string& bytes)
{
    MemorySource source({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    return ReadPngParameters(source);
}

// The file's chunks without the text ones: what a PNG without texts holds.
std::string WithoutTexts(const std::string& png)
{
    std::string kept = png.substr(0, 8);
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const auto* p = reinterpret_cast<const unsigned char*>(png.data() + at);
        const std::size_t length = std::size_t{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3];
        const std::string type = png.substr(at + 4, 4);
        if (type != "tEXt" && type != "zTXt" && type != "iTXt")
            kept += png.substr(at, length + 12);
        at += length + 12;
    }
    return kept;
}

}  // namespace

// What a picture's PNG says renders it again exactly: the same settings bit for bit, for
// doubles that print badly, for a Julia set's C and for a deep area's texts.
TEST(PictureParameters, APicturesParametersRenderItAgainExactly)
{
    RenderFields doubles;
    doubles.xStart = "0.1", doubles.xEnd = "0.30000000000000004", doubles.yStart = "-1e-5", doubles.yEnd = "-0";
    doubles.width = "37", doubles.height = "23", doubles.formula = 2, doubles.coloring = 3, doubles.colors = "777";
    doubles.cRe = "-0.7454294", doubles.cIm = "0.11300000000000000001", doubles.aspectRatio = 0;
    RenderFields deep;
    deep.xStart = "-1.7498173019612200000000001", deep.xEnd = "-1.74981730196122000000000012";
    deep.yStart = "1e-26", deep.yEnd = "2.3e-26", deep.width = "16", deep.height = "12", deep.colors = "300";
    deep.aspectRatio = 0;
    for (const RenderFields& given : {doubles, deep}) {
        const auto first = JobOf(given);
        const RenderFields stored = ParametersOfPicture(first->Settings());
        const auto again = JobOf(std::get<RenderFields>(ReadParametersText(ParametersText(stored))));
        const RenderSettings &a = first->Settings(), &b = again->Settings();
        EXPECT_EQ(std::memcmp(&a.m_dXStart, &b.m_dXStart, 4 * sizeof(double)), 0);
        EXPECT_EQ(a.m_nWidth, b.m_nWidth);
        EXPECT_EQ(a.m_nHeight, b.m_nHeight);
        EXPECT_EQ(a.m_pCol->GetNumColors(), b.m_pCol->GetNumColors());
        EXPECT_EQ(typeid(*a.m_pAlg), typeid(*b.m_pAlg));
        const CFractValue ca = a.m_pAlg->GetConstant(), cb = b.m_pAlg->GetConstant();
        EXPECT_EQ(std::memcmp(&ca.m_z, &cb.m_z, sizeof ca.m_z), 0);
        EXPECT_TRUE(SameFields(ParametersOfPicture(b), stored));
    }
    EXPECT_EQ(ParametersOfPicture(JobOf(deep)->Settings()).xEnd, deep.xEnd);
}

// Damaged or foreign parameters are refused, saying what is wrong.
TEST(PictureParameters, DamagedTextsAreRefusedNamingWhatIsWrong)
{
    RenderFields f;
    f.colors = "256";
    const std::string good = ParametersText(f);
    const auto refusal = [](const std::string& text) {
        const auto read = ReadParametersText(text);
        return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : std::string("accepted");
    };
    for (const char* key : {"Formula", "Coloring", "Colors", "X start", "Y end", "C im", "Width", "Show values"}) {
        const std::size_t line = good.find(std::string("\n") + key + ": ");
        ASSERT_NE(line, std::string::npos) << key;
        const std::string missing = good.substr(0, line) + good.substr(good.find('\n', line + 1));
        EXPECT_NE(refusal(missing).find(std::string("\"") + key + "\""), std::string::npos) << key;
        EXPECT_NE(refusal(good + key + ": 1\n").find("twice"), std::string::npos) << key;
    }
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    EXPECT_NE(refusal(replaced("parameters: 1", "parameters: 2")).find("version"), std::string::npos);
    EXPECT_NE(refusal(good.substr(good.find('\n') + 1)).find("version"), std::string::npos);
    EXPECT_NE(refusal(replaced("Mandelbrot Set", "Mandelbrot Sett")).find("formula"), std::string::npos);
    EXPECT_NE(refusal(replaced("Colors: 256", "Colors: -256")).find("whole number"), std::string::npos);
    EXPECT_NE(refusal(replaced("Width: 200", "Width: 99999999999")).find("whole number"), std::string::npos);
    EXPECT_NE(refusal(replaced("X start: -1", "X start: 1e")).find("decimal"), std::string::npos);
    EXPECT_NE(refusal(replaced("C re: 0.0", "C re: nan")).find("decimal"), std::string::npos);
    EXPECT_NE(refusal(replaced("X end: 1", "X end: 1" + std::string(1000000, '0'))).find("decimal"),
              std::string::npos);
    EXPECT_NE(refusal(replaced("values: no", "values: maybe")).find("yes nor no"), std::string::npos);
    EXPECT_NE(refusal(std::string(kLongestParametersText + 1, '\n')).find("longer"), std::string::npos);
    // Lines may end in CR LF, and keys a later version adds are passed over.
    std::string crlf;
    for (char c : good + "Palette offset: 3\n")
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(refusal(crlf), "accepted");
}

// The texts go into the PNG before its pixels, long ones compressed, and change nothing else.
TEST(PictureParameters, PngTextsAreReadBackAndLeaveEverythingElseAsItWas)
{
    const auto dir = test::TempDir("png-texts");
    const std::string plain = PngWith({}, dir / "plain.png");
    const std::vector<PngText> texts{{"Description", "short"}, {"Korvanta parameters", std::string(50000, '7')}};
    const std::string noted = PngWith(texts, dir / "noted.png");
    EXPECT_EQ(WithoutTexts(noted), plain);
    EXPECT_NE(noted.find("tEXtDescription"), std::string::npos);
    EXPECT_NE(noted.find("zTXtKorvanta parameters"), std::string::npos);
    EXPECT_LT(noted.size(), plain.size() + 1000);
    MemorySource source({reinterpret_cast<const std::uint8_t*>(noted.data()), noted.size()});
    const auto read = std::get<std::vector<PngText>>(ReadPngTexts(source));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].text, "short");
    EXPECT_EQ(read[1].keyword, texts[1].keyword);
    EXPECT_EQ(read[1].text, texts[1].text);
}

// A PNG reader faces files from anywhere: each of these is refused with a message.
TEST(PictureParameters, HostilePngsAreRefusedWithAMessage)
{
    const auto dir = test::TempDir("png-hostile");
    const auto job = test::MandelbrotJob(9, 7);
    const std::string ours = PngWith(PngTextsOfPicture(job->Settings()), dir / "ours.png");
    ASSERT_TRUE(std::holds_alternative<RenderFields>(ParametersOfBytes(ours)));
    const auto message = [](const std::variant<RenderFields, std::string>& read) {
        return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : std::string("accepted");
    };
    EXPECT_EQ(message(ParametersOfBytes("GIF89a")), "Not a PNG file");
    const std::string plain = PngWith({}, dir / "plain.png");
    EXPECT_NE(message(ParametersOfBytes(plain)).find("no Korvanta parameters"), std::string::npos);
    // Cut anywhere before the pixels: damaged or without parameters, never read past the end.
    const std::size_t pixels = ours.find("IDAT");
    for (std::size_t size = 0; size < pixels; size += 7)
        EXPECT_NE(message(ParametersOfBytes(ours.substr(0, size))), "accepted") << size;
    std::string record = ParametersText(ParametersOfPicture(job->Settings()));
    record.replace(record.find("Colors: "), 9, "Colors: x");
    const std::string damaged = PngWith({{kParametersKeyword, record}}, dir / "damaged.png");
    EXPECT_NE(message(ParametersOfBytes(damaged)).find("damaged"), std::string::npos);
    // A text whose check sum is wrong is not taken.
    std::string flipped = ours;
    flipped[flipped.find("Colors: ") + 8] ^= 1;
    EXPECT_NE(message(ParametersOfBytes(flipped)), "accepted");
    // A compressed text that would inflate to 64 MB is not inflated.
    std::string zeros(64 << 20, '0');
    uLongf packedSize = compressBound(zeros.size());
    std::string packed(packedSize, '\0');
    ASSERT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                       reinterpret_cast<const Bytef*>(zeros.data()), zeros.size()),
              Z_OK);
    packed.resize(packedSize);
    std::string chunk = std::string(kParametersKeyword) + '\0' + '\0' + packed;
    std::string body = "zTXt" + chunk;
    const auto crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size()));
    const auto bigEndian = [](std::uint32_t v) {
        return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    };
    const std::size_t afterHeader = 8 + 25;
    const std::string bomb = plain.substr(0, afterHeader) + bigEndian(static_cast<std::uint32_t>(chunk.size())) +
                             body + bigEndian(crc) + plain.substr(afterHeader);
    EXPECT_NE(message(ParametersOfBytes(bomb)), "accepted");
}
