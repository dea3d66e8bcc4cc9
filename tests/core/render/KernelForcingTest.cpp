#include "core/archive/Archive.h"
#include "core/colorings/FractColHSV.h"
#include "core/files/RenderRecord.h"
#include "core/formulas/FormulaKernel.h"
#include "core/formulas/FormulaList.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/DeepRequest.h"
#include "core/render/ParallelRender.h"
#include "core/render/RenderJob.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

namespace korvanta {
namespace {

using Lanes = FormulaKernel::Lanes;

// Sets KORVANTA_KERNEL for its lifetime and puts back what was there.
class ForcedKernel {
public:
    explicit ForcedKernel(const char* value)
    {
        if (const char* before = std::getenv(kName))
            m_before = before;
        if (value)
            setenv(kName, value, 1);
        else
            unsetenv(kName);
    }
    ~ForcedKernel()
    {
        if (m_before)
            setenv(kName, m_before->c_str(), 1);
        else
            unsetenv(kName);
    }
    ForcedKernel(const ForcedKernel&) = delete;
    ForcedKernel& operator=(const ForcedKernel&) = delete;

private:
    static constexpr const char* kName = "KORVANTA_KERNEL";
    std::optional<std::string> m_before;
};

TEST(KernelForcing, TheEnvironmentChoosesTheWidthOrTheFormulaObjects)
{
    const CFractAlgMandelbrot mandelbrot;
    Lanes unforced, unforcedDeep;
    {
        const ForcedKernel none(nullptr);
        unforced = FormulaKernel::Chosen();
        unforcedDeep = FormulaKernel::Chosen(true);
        EXPECT_FALSE(FormulaKernel::Off());
        EXPECT_TRUE(FormulaKernel::Handles(mandelbrot));
    }
    // Auto never takes a width the processor lacks.
    EXPECT_TRUE(FormulaKernel::Available(unforced));
    EXPECT_TRUE(FormulaKernel::Available(unforcedDeep));
    const struct {
        const char* value;
        Lanes lanes;
    } widths[] = {{"sse2", Lanes::Sse2}, {"avx2", Lanes::Avx2}, {"avx512", Lanes::Avx512}};
    for (const auto& w : widths) {
        const ForcedKernel forced(w.value);
        const Lanes expected = FormulaKernel::Available(w.lanes) ? w.lanes : FormulaKernel::Resolve(w.lanes);
        EXPECT_EQ(FormulaKernel::Chosen(), expected) << w.value;
        EXPECT_EQ(FormulaKernel::Chosen(true), expected) << w.value;
        EXPECT_EQ(FormulaKernel::Resolve(Lanes::Auto), expected) << w.value;
        EXPECT_TRUE(FormulaKernel::Handles(mandelbrot)) << w.value;
    }
    {
        const ForcedKernel objects("objects");
        EXPECT_TRUE(FormulaKernel::Off());
        EXPECT_FALSE(FormulaKernel::Handles(mandelbrot));
        EXPECT_EQ(FormulaKernel::Chosen(), unforced);
    }
    // A value it does not know changes nothing.
    for (const char* unknown : {"AVX2", "avx1024", "", "objects "}) {
        const ForcedKernel forced(unknown);
        EXPECT_FALSE(FormulaKernel::Off()) << unknown;
        EXPECT_EQ(FormulaKernel::Chosen(), unforced) << unknown;
        EXPECT_EQ(FormulaKernel::Chosen(true), unforcedDeep) << unknown;
    }
}

std::string StoredBytesOf(const RenderJob& job)
{
    std::ostringstream bytes;
    Archive ar(bytes);
    WriteRenderRecord(ar, job, {});
    return bytes.str();
}

// A picture over the boundary of the Mandelbrot set, through the render job's rows.
std::string PlainPicture()
{
    RenderSettings settings = RenderSettings::ForArea(-0.6, 2.1, -1.35, 1.35, 83, 61);
    RenderJob job(settings, PictureObjects{std::make_unique<CFractAlgMandelbrot>(), std::make_unique<CFractColHSV>()});
    EXPECT_TRUE(job.CreateBitmaps());
    RenderInParallel(job, 2);
    return StoredBytesOf(job);
}

// The edge of the dendrite Julia set of C = -i, 3e-30 wide: the deep engine's lanes in
// doubles.
std::string DeepPicture()
{
    RenderFields f;
    f.formula = 2;
    f.xStart = "1." + std::string(29, '0') + "1";
    f.xEnd = "1." + std::string(29, '0') + "4";
    f.yStart = "-1e-30";
    f.yEnd = "1e-30";
    f.width = "47";
    f.height = "31";
    f.cRe = "0";
    f.cIm = "-1";
    f.aspectRatio = 0;
    f.colors = "400";
    auto checked = CheckDeepRenderFields(f, true);
    EXPECT_TRUE(checked && std::holds_alternative<DeepRenderRequest>(*checked));
    if (!checked || !std::holds_alternative<DeepRenderRequest>(*checked))
        return {};
    auto& deep = std::get<DeepRenderRequest>(*checked);
    auto col = std::make_unique<CFractColHSV>();
    PrepareObjects(f, deep.request.constant, *deep.formula, *col);
    RenderJob job(deep.request.settings, PictureObjects{std::move(deep.formula), std::move(col)});
    EXPECT_TRUE(job.CreateBitmaps());
    RenderInParallel(job, 2);
    return StoredBytesOf(job);
}

TEST(KernelForcing, EveryForcedWidthAndTheFormulaObjectsStoreTheSameBytes)
{
    std::string plain, deep;
    {
        const ForcedKernel none(nullptr);
        plain = PlainPicture();
        deep = DeepPicture();
    }
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(deep.empty());
    for (const char* value : {"objects", "sse2", "avx2", "avx512"}) {
        const ForcedKernel forced(value);
        EXPECT_TRUE(PlainPicture() == plain) << value;
        EXPECT_TRUE(DeepPicture() == deep) << value;
    }
}

}  // namespace
}  // namespace korvanta
