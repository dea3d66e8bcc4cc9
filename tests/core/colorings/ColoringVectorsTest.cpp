#include "core/colorings/ColoringList.h"
#include "support/Vectors.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace korvanta {
namespace {

TEST(ColoringVectors, EveryTabulatedValueMatches)
{
    std::ifstream in(test::VectorsDir() / "colorings.txt");
    ASSERT_TRUE(in) << "coloring table missing in " << test::VectorsDir();
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::int32_t index, colors;
        std::uint32_t count, expected;
        fields >> index >> colors >> count >> std::hex >> expected;
        ASSERT_TRUE(fields) << line;
        auto col = CreateColoring(index);
        ASSERT_TRUE(col) << line;
        col->SetNumColors(colors);
        CFractValue result;
        result.SetCount(static_cast<std::int32_t>(count));
        EXPECT_EQ(col->GetColor(result), expected) << line;
        ++checked;
    }
    EXPECT_GT(checked, 1000);
}

}  // namespace
}  // namespace korvanta
