#include "core/colorings/FractCol2304.h"
#include "core/colorings/FractColPolarLog.h"
#include "core/archive/Archive.h"
#include "core/render/ClassRegistry.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korvanta {
namespace {

using test::Bytes;
using test::StoreObjects;

TEST(ArchiveObjects, NewClassRecordCarriesSchemaAndName)
{
    CFractAlgMandelbrot alg;
    const std::string bytes = StoreObjects({&alg});
    EXPECT_EQ(bytes.substr(0, 6), Bytes({0xFF, 0xFF, 0x01, 0x00, 0x13, 0x00}));
    EXPECT_EQ(bytes.substr(6, 19), "CFractAlgMandelbrot");
    EXPECT_EQ(bytes.size(), 6u + 19u + 144u);
}

TEST(ArchiveObjects, IndexesCountClassesAndObjectsAcrossTheArchive)
{
    // Classes 1 and 3, objects 2 and 4; the second coloring of class 3 gets a class
    // reference, and the same object again is an object reference.
    CFractAlgMandelbrot alg;
    CFractCol2304 first, second;
    const std::string bytes = StoreObjects({&alg, &first, &second, &first, nullptr});
    const std::size_t coloring = 6 + 19 + 144;
    EXPECT_EQ(bytes.substr(coloring, 6), Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0D, 0x00}));
    const std::size_t secondAt = coloring + 6 + 13 + 4;
    EXPECT_EQ(bytes.substr(secondAt, 2), Bytes({0x03, 0x80}));
    EXPECT_EQ(bytes.substr(secondAt + 6), Bytes({0x04, 0x00, 0x00, 0x00}));
}

TEST(ArchiveObjects, ReadingHonoursClassReferences)
{
    CFractCol2304 first, second;
    const std::string bytes = StoreObjects({&first, &second});
    std::istringstream in(bytes);
    Archive ar(in, FindRegisteredClass);
    auto a = ar.ReadObject(CFractCol::kClass);
    auto b = ar.ReadObject(CFractCol::kClass);
    EXPECT_EQ(&a->GetRuntimeClass(), &CFractCol2304::kClass);
    EXPECT_EQ(&b->GetRuntimeClass(), &CFractCol2304::kClass);
    EXPECT_EQ(in.peek(), EOF);
}

TEST(ArchiveObjects, BigTagsReachIndexesBeyondSixteenBits)
{
    // 0x7FFF escapes to a 32-bit index; with the top bit set it names a class.
    CFractCol2304 first;
    std::string bytes = StoreObjects({&first});
    bytes += Bytes({0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80}) + std::string(4, '\0');
    std::istringstream in(bytes);
    Archive ar(in, FindRegisteredClass);
    ar.ReadObject(CFractCol::kClass);
    auto again = ar.ReadObject(CFractCol::kClass);
    EXPECT_EQ(&again->GetRuntimeClass(), &CFractCol2304::kClass);
}

TEST(ArchiveStrings, LengthPrefixGrowsWithTheText)
{
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Bytes({0x00})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
        {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {0x10000, Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        const std::string text(c.length, 'x');
        std::ostringstream out;
        Archive(out).WriteString(text);
        EXPECT_EQ(out.str(), c.prefix + text) << c.length;
        std::istringstream in(out.str());
        EXPECT_EQ(Archive(in).ReadString(), text) << c.length;
    }
}

TEST(ArchiveStrings, WideCharactersBecomeNarrow)
{
    // 0xFF 0xFFFE announces 16-bit characters; their count follows in the same form.
    std::istringstream in(Bytes({0xFF, 0xFE, 0xFF, 0x03, 'A', 0, 0xE9, 0, 0x3A, 0x04}));
    EXPECT_EQ(Archive(in).ReadString(), "A\xE9?");
}

TEST(ArchiveValues, LittleEndianIntegersAndDoubles)
{
    EXPECT_EQ(test::StoreValue(std::int32_t{-2}), Bytes({0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(test::StoreValue(std::uint16_t{0x1234}), Bytes({0x34, 0x12}));
    EXPECT_EQ(test::StoreValue(1.0), Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
}

}  // namespace
}  // namespace korvanta
