#include "core/archive/Archive.h"
#include "core/colorings/ColoringList.h"
#include "core/colorings/FractColHSV.h"
#include "core/deep/FractAlgDeep.h"
#include "core/files/RenderRecord.h"
#include "core/formulas/FormulaList.h"
#include "core/render/ClassRegistry.h"
#include "core/render/DeepRequest.h"
#include "core/render/ParallelRender.h"
#include "core/render/RenderView.h"
#include "core/render/RowWorkers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>

namespace korvanta {
namespace {

// Fields of a small deep picture: the edge of the dendrite Julia set of C = -i, 3e-330 wide
// (or as deep as asked), in the extended range.
RenderFields DeepJulia(int depth = 330)
{
    RenderFields f;
    f.formula = 2;
    f.xStart = "1." + std::string(depth - 1, '0') + "1";
    f.xEnd = "1." + std::string(depth - 1, '0') + "4";
    f.yStart = "-1e-" + std::to_string(depth);
    f.yEnd = "1e-" + std::to_string(depth);
    f.width = "30";
    f.height = "20";
    f.cRe = "0";
    f.cIm = "-1";
    f.aspectRatio = 0;
    return f;
}

std::unique_ptr<RenderJob> Prepared(RenderFields f, std::int32_t colors)
{
    f.colors = std::to_string(colors);
    auto checked = CheckDeepRenderFields(f, true);
    EXPECT_TRUE(checked && std::holds_alternative<DeepRenderRequest>(*checked));
    auto& deep = std::get<DeepRenderRequest>(*checked);
    auto col = std::make_unique<CFractColHSV>();
    PrepareObjects(f, deep.request.constant, *deep.formula, *col);
    auto job = std::make_unique<RenderJob>(deep.request.settings, PictureObjects{std::move(deep.formula), std::move(col)});
    EXPECT_TRUE(job->CreateBitmaps());
    return job;
}

std::string Stored(const RenderJob& job)
{
    std::ostringstream bytes;
    Archive ar(bytes);
    WriteRenderRecord(ar, job, {});
    return bytes.str();
}

const CRuntimeClass* OlderReader(std::string_view name)
{
    for (const CRuntimeClass* c : FormulaClasses())
        if (name == c->m_lpszClassName)
            return c;
    for (const CRuntimeClass* c : ColoringClasses())
        if (name == c->m_lpszClassName)
            return c;
    return nullptr;
}

TEST(DeepPicture, TheSameBytesOnAnyNumberOfThreadsStepByStepAheadOrResumedFromADocument)
{
    const RenderFields f = DeepJulia();
    auto stepped = Prepared(f, 400);
    while (stepped->RenderStep())
        ;
    const std::string whole = Stored(*stepped);
    for (int threads : {1, 2, 7}) {
        auto job = Prepared(f, 400);
        RenderInParallel(*job, threads);
        EXPECT_TRUE(Stored(*job) == whole) << threads << " threads";
    }
    // The explorer's workers, as they hand rows to the interface, in pieces across a row.
    {
        RenderFields wide = f;
        wide.width = "150";
        auto plain = Prepared(wide, 400);
        while (plain->RenderStep())
            ;
        RowWorkers workers(2);
        auto ahead = Prepared(wide, 400);
        ahead->EnableLookAhead(workers);
        ASSERT_TRUE(ahead->LooksAhead());
        while (!ahead->Finished())
            ahead->RenderStep();
        EXPECT_TRUE(Stored(*ahead) == Stored(*plain)) << "look-ahead";
    }
    // Stopped in the middle of a row, stored, read back (orbits computed afresh) and finished.
    auto part = Prepared(f, 400);
    for (int i = 0; i < 30 * 7 + 11; ++i)
        part->RenderStep();
    std::istringstream bytes(Stored(*part));
    Archive ar(bytes, FindRegisteredClass);
    LoadedRecord loaded = ReadRenderRecord(ar);
    const auto* formula = dynamic_cast<const CFractAlgDeep*>(loaded.job->Settings().m_pAlg);
    ASSERT_NE(formula, nullptr);
    EXPECT_EQ(formula->Area().xStart, f.xStart);
    EXPECT_EQ(formula->ConstantIm(), "-1");
    RenderInParallel(*loaded.job, 2);
    EXPECT_TRUE(Stored(*loaded.job) == whole);
}

// While the workers compute a deep picture's reference orbits its title says how far they
// have come; a picture closed meanwhile stops them at once, and the workers go on with the
// next picture.
TEST(DeepPicture, TheTitleFollowsTheReferenceOrbitsAndClosingStopsThem)
{
    struct Titles : RenderView {
        std::vector<std::string> seen;
        void SetTitle(const std::string& title) override { seen.push_back(title); }
        void Invalidate(std::int32_t, std::int32_t) override {}
    };
    auto referenceShown = [](const Titles& titles) {
        return std::any_of(titles.seen.begin(), titles.seen.end(),
                           [](const std::string& t) { return t.starts_with("Reference orbits: "); });
    };
    auto workers = std::make_unique<RowWorkers>(2);
    using Clock = std::chrono::steady_clock;
    // Orbits of 16 million steps at 10000 bits: far longer than the test may take.
    Titles closedTitles;
    auto closing = Prepared(DeepJulia(3000), 1 << 24);
    closing->SetView(&closedTitles);
    closing->EnableLookAhead(*workers);
    for (const auto until = Clock::now() + std::chrono::seconds(20); !referenceShown(closedTitles) && Clock::now() < until;)
        closing->RenderStep();
    EXPECT_TRUE(referenceShown(closedTitles));
    EXPECT_EQ(closing->Row(), 0);
    const auto closed = Clock::now();
    closing.reset();
    EXPECT_LT(Clock::now() - closed, std::chrono::seconds(2));

    Titles titles;
    auto job = Prepared(DeepJulia(), 200000);
    job->SetView(&titles);
    job->EnableLookAhead(*workers);
    for (const auto until = Clock::now() + std::chrono::seconds(30); !job->Finished() && Clock::now() < until;)
        job->RenderStep();
    ASSERT_TRUE(job->Finished());
    EXPECT_TRUE(referenceShown(titles));
    EXPECT_EQ(titles.seen.back(), RenderJob::kReadyTitle);
    // No worker is still on the closed picture's orbits.
    job.reset();
    const auto ended = Clock::now();
    workers.reset();
    EXPECT_LT(Clock::now() - ended, std::chrono::seconds(2));
}

TEST(DeepPicture, AReaderThatKnowsOnlyDoublesRefusesADeepDocumentByItsClass)
{
    auto job = Prepared(DeepJulia(), 100);
    std::istringstream bytes(Stored(*job));
    Archive ar(bytes, OlderReader);
    try {
        ReadRenderRecord(ar);
        FAIL() << "read";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.kind(), ArchiveError::Kind::UnknownClass);
        EXPECT_NE(std::string(e.what()).find("CFractAlgDeepJulia"), std::string::npos) << e.what();
    }
}

TEST(DeepPicture, StoredLocationsAreCheckedWhenRead)
{
    auto job = Prepared(DeepJulia(), 100);
    const std::string good = Stored(*job);
    const std::string text = DeepJulia().xStart;
    for (const std::string& bad : {std::string("1.0x"), std::string("nan"), std::string(""), DeepJulia().xEnd}) {
        // The same record with the start of the area replaced (equal to its end, last).
        std::string bytes = good;
        const auto at = bytes.find(text);
        ASSERT_NE(at, std::string::npos);
        bytes.replace(at - 1, text.size() + 1, std::string(1, static_cast<char>(bad.size())) + bad);
        std::istringstream in(bytes);
        Archive ar(in, FindRegisteredClass);
        EXPECT_THROW(ReadRenderRecord(ar), ArchiveError) << bad;
    }
}

// Where doubles stop resolving a picture: 64 units of the last place of its largest
// coordinate a pixel. Above the line today's formula renders; below it the deep one.
TEST(DeepPicture, TheDeepEngineTakesOverWhereDoublesStopResolvingThePixels)
{
    EXPECT_TRUE(DoublesResolve(1, 1 + 0x1p-46 * 100, 0, 0x1p-46 * 100, 100, 100));
    EXPECT_FALSE(DoublesResolve(1, 1 + 0x1p-46 * 99, 0, 0x1p-46 * 99, 100, 100));
    // At coordinates below 1 the line stays that of 1; at 2 and above it doubles.
    EXPECT_TRUE(DoublesResolve(0.25, 0.25 + 0x1p-46 * 10, 0, 0x1p-46 * 10, 10, 10));
    EXPECT_FALSE(DoublesResolve(2, 2 + 0x1p-46 * 10, 0, 0x1p-46 * 10, 10, 10));
    EXPECT_TRUE(DoublesSeparate(2, 2 + 0x1p-51 * 10, 0, 0x1p-51 * 10, 10, 10));
    EXPECT_FALSE(DoublesSeparate(2, 2 + 0x1p-52 * 10, 0, 0x1p-52 * 10, 10, 10));

    RenderFields f;
    f.width = f.height = "100";
    f.aspectRatio = 0;
    f.xStart = "1", f.yStart = "0";
    f.xEnd = "1.00000000000142108547152020037174224853515625", f.yEnd = "0.00000000000142108547152020037174224853515625";
    EXPECT_FALSE(CheckDeepRenderFields(f, false)) << "100 x 2^-46 wide: doubles";
    f.xEnd = "1.0000000000014068746168049983680248260498046875", f.yEnd = "0.0000000000014068746168049983680248260498046875";
    const auto deep = CheckDeepRenderFields(f, false);
    ASSERT_TRUE(deep && std::holds_alternative<DeepRenderRequest>(*deep)) << "99 x 2^-46 wide: deep";
    // Sinz stays in doubles: refused only where pixels would merge.
    f.formula = 6;
    EXPECT_FALSE(CheckDeepRenderFields(f, false));
    f.xEnd = "1.00000000000001", f.yEnd = "0.00000000000001";
    const auto refused = CheckDeepRenderFields(f, false);
    ASSERT_TRUE(refused && std::holds_alternative<FieldProblem>(*refused));
    EXPECT_NE(std::get<FieldProblem>(*refused).message.find("Sinz"), std::string::npos);
}

// A deep text that lost its exponent (typed where the field drops the 'e') is named as the
// field that is wrong, not as a difference too small in some other pair; a short one that
// only begins with a number is read as the fields read it.
TEST(DeepPicture, AMangledDeepTextIsTheFieldNamed)
{
    RenderFields f;
    f.width = "40", f.height = "30", f.aspectRatio = 0;
    f.xStart = "-0.743643887037158704752191506114774", f.xEnd = "-0.743643887037158704752191506114700";
    f.yStart = "1.31825904205311970493132056385139-01", f.yEnd = "0.131825904205311970493132056385200";
    auto checked = CheckDeepRenderFields(f, false);
    ASSERT_TRUE(checked && std::holds_alternative<FieldProblem>(*checked));
    EXPECT_EQ(std::get<FieldProblem>(*checked).field, RenderField::YStart);
    EXPECT_EQ(std::get<FieldProblem>(*checked).message, messages::kIllegalYStart);
    f.yStart = "0.131825904205311970493132056385139";
    f.xStart = "-7.43643887037158704752191506114774-01";
    checked = CheckDeepRenderFields(f, false);
    ASSERT_TRUE(checked && std::holds_alternative<FieldProblem>(*checked));
    EXPECT_EQ(std::get<FieldProblem>(*checked).field, RenderField::XStart);
    EXPECT_EQ(std::get<FieldProblem>(*checked).message, messages::kIllegalXStart);
    f.xStart = "1-5", f.xEnd = "1";
    EXPECT_FALSE(CheckDeepRenderFields(f, false));
    EXPECT_EQ(CheckArea(f)->message, messages::kXTooClose);
}

// Fields of a deep picture are shown with plain decimals; those of a picture in doubles keep
// their texts.
TEST(DeepPicture, DeepFieldsAreShownAsPlainDecimals)
{
    RenderFields f;
    f.width = "40", f.height = "30";
    f.xStart = "-7.43643887037158704752191506114774e-01", f.xEnd = "-7.436438870371587047521915061147e-01";
    f.yStart = "1.31825904205311970493132056385139e-01", f.yEnd = "1.318259042053119704931320563852e-01";
    f.cRe = "1E-05";
    const RenderFields shown = WithPlainDeepTexts(f);
    EXPECT_EQ(shown.xStart, "-0.743643887037158704752191506114774");
    EXPECT_EQ(shown.yEnd, "0.1318259042053119704931320563852");
    EXPECT_EQ(shown.cRe, "0.00001");
    f.xStart = "-2", f.xEnd = "2", f.yStart = "-2", f.yEnd = "2";
    EXPECT_EQ(WithPlainDeepTexts(f).cRe, "1E-05");
}

}  // namespace
}  // namespace korvanta
