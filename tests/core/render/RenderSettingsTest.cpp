#include "core/colorings/FractColPolarLog.h"
#include "core/archive/Archive.h"
#include "core/render/ClassRegistry.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/RenderSettings.h"
#include "support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korvanta {
namespace {

TEST(RenderSettings, ArchiveFormRoundTripsWithBothObjects)
{
    CFractAlgMandelbrot alg;
    CFractColPolarLog col;
    RenderSettings s;
    s.m_nFormula = 0;
    s.m_nColoring = 4;
    s.m_bAspect = 1;
    s.m_bShowValues = 1;
    s.m_nHeight = 100;
    s.m_nWidth = 300;
    s.m_dXStart = -2;
    s.m_dXEnd = 1;
    s.m_dYStart = -0.5;
    s.m_dYEnd = 0.5;
    s.m_pAlg = &alg;
    s.m_pCol = &col;
    std::ostringstream out;
    Archive store(out);
    s.Serialize(store);
    const std::string bytes = out.str();
    // Height before width, then the four reals, then the formula's class record.
    EXPECT_EQ(bytes.substr(0, 24),
              test::Bytes({0, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 100, 0, 0, 0, 44, 1, 0, 0}));
    EXPECT_EQ(bytes.substr(56, 6), test::Bytes({0xFF, 0xFF, 1, 0, 19, 0}));

    std::istringstream in(bytes);
    Archive load(in, FindRegisteredClass);
    RenderSettings back;
    PictureObjects owned;
    back.Serialize(load, &owned);
    EXPECT_EQ(back.m_pAlg, owned.alg.get());
    EXPECT_EQ(back.m_pCol, owned.col.get());
    EXPECT_EQ(back.m_nColoring, 4);
    EXPECT_EQ(back.m_nWidth, 300);
    EXPECT_EQ(back.m_nHeight, 100);
    EXPECT_EQ(back.m_dYStart, -0.5);
    EXPECT_EQ(&back.m_pAlg->GetRuntimeClass(), &CFractAlgMandelbrot::kClass);
    EXPECT_EQ(&back.m_pCol->GetRuntimeClass(), &CFractColPolarLog::kClass);
    EXPECT_EQ(in.peek(), EOF);
}

TEST(RenderSettings, ObjectsOfTheWrongFamilyAreRefusedWithoutLeaks)
{
    // Formula where the coloring belongs: the formula already read must be freed.
    CFractAlgMandelbrot alg;
    RenderSettings s;
    s.m_pAlg = &alg;
    s.m_pCol = reinterpret_cast<CFractCol*>(&alg);
    std::ostringstream out;
    Archive store(out);
    s.Serialize(store);

    std::istringstream in(out.str());
    Archive load(in, FindRegisteredClass);
    RenderSettings back;
    PictureObjects owned;
    try {
        back.Serialize(load, &owned);
        FAIL() << "a shared formula was accepted as the coloring";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.kind(), ArchiveError::Kind::SharedObject);
    }
    EXPECT_EQ(back.m_pAlg, nullptr);
    EXPECT_EQ(back.m_pCol, nullptr);
    EXPECT_EQ(owned.alg, nullptr);
}

TEST(RenderSettings, SizeIsFittedToTheAreaOnlyWithAspectRatio)
{
    RenderSettings wide = RenderSettings::ForArea(0, 4, 0, 1, 200, 200);
    wide.FitSizeToArea();
    EXPECT_EQ(wide.m_nWidth, 200);
    wide.m_bAspect = 1;
    wide.FitSizeToArea();
    EXPECT_EQ(wide.m_nWidth, 400);
    EXPECT_EQ(wide.m_nHeight, 100);
}

}  // namespace
}  // namespace korvanta
