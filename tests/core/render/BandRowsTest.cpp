#include "core/colorings/ColoringList.h"
#include "core/formulas/FormulaList.h"
#include "core/render/BandRows.h"
#include "core/render/ParallelRender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace korvanta {
namespace {

TEST(BandRows, EveryRowIsInExactlyOneBandAndBandsDifferByOneRowAtMost)
{
    for (std::int32_t height = 1; height <= 70; ++height) {
        for (std::int32_t bands = 1; bands <= height; ++bands) {
            std::int32_t next = 0, smallest = height, largest = 0;
            for (std::int32_t k = 0; k < bands; ++k) {
                const RowRange rows = BandRows(height, k, bands);
                ASSERT_EQ(rows.first, next) << k << "/" << bands << " of " << height;
                next = rows.end();
                smallest = std::min(smallest, rows.count);
                largest = std::max(largest, rows.count);
            }
            EXPECT_EQ(next, height);
            EXPECT_GE(smallest, 1);
            EXPECT_LE(largest - smallest, 1) << bands << " bands of " << height;
        }
    }
    // The largest picture split into single rows does not overflow on the way.
    EXPECT_EQ(BandRows(32000, 31999, 32000).first, 31999);
    EXPECT_EQ(BandRows(32000, 31999, 32000).count, 1);
    for (const auto& [band, bands] : {std::pair{-1, 3}, {3, 3}, {0, 0}})
        EXPECT_EQ(BandRows(10, band, bands).count, 0) << band << "/" << bands;
}

std::unique_ptr<RenderJob> Job(std::int32_t formula)
{
    auto alg = CreateFormula(formula);
    auto col = CreateColoring(formula % 7);
    col->SetNumColors(200);
    auto job = std::make_unique<RenderJob>(RenderSettings::ForArea(-1.7, 1.3, -1.1, 1.2, 37, 29),
                                           PictureObjects{std::move(alg), std::move(col)});
    job->CreateBitmaps();
    return job;
}

// Bands rendered by separate jobs hold exactly the whole picture's rows, whatever the
// formula and whether it has a vector kernel; the job's own position and formula stay.
TEST(BandRows, RowsRenderedApartAreTheWholePicturesRows)
{
    for (std::int32_t formula = 0; formula < static_cast<std::int32_t>(FormulaClasses().size()); ++formula) {
        auto whole = Job(formula);
        RenderInParallel(*whole, 2);
        for (const std::int32_t bands : {1, 2, 7, 29}) {
            for (std::int32_t k = 0; k < bands; ++k) {
                auto part = Job(formula);
                const RowRange rows = BandRows(29, k, bands);
                RenderRowsInParallel(*part, rows.first, rows.end(), 2);
                EXPECT_EQ(part->Row(), 0);
                EXPECT_FALSE(part->Finished());
                for (std::int32_t row = 0; row < 29; ++row) {
                    const bool inBand = row >= rows.first && row < rows.end();
                    const std::uint32_t* got = &part->Pixels().at(0, row);
                    const std::uint32_t* want = &whole->Pixels().at(0, row);
                    if (inBand)
                        EXPECT_EQ(std::memcmp(got, want, 37 * 4), 0)
                            << "formula " << formula << ", band " << k << "/" << bands << ", row " << row;
                    else
                        EXPECT_EQ(std::count(got, got + 37, 0u), 37) << "row " << row << " outside the band";
                }
            }
        }
    }
}

}  // namespace
}  // namespace korvanta
