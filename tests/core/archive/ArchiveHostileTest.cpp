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
using Kind = ArchiveError::Kind;

// The kind of error reading one formula from `bytes` raises, or nothing.
std::optional<Kind> ReadFormula(const std::string& bytes)
{
    std::istringstream in(bytes);
    Archive ar(in, FindRegisteredClass);
    try {
        ar.ReadObject(CFractAlg::kClass);
    } catch (const ArchiveError& e) {
        return e.kind();
    }
    return std::nullopt;
}

std::string ClassRecord(std::uint16_t schema, const std::string& name)
{
    return Bytes({0xFF, 0xFF, schema & 0xFF, schema >> 8, int(name.size()) & 0xFF,
                  int(name.size()) >> 8}) +
           name;
}

TEST(HostileArchive, EveryTruncationIsReported)
{
    CFractAlgMandelbrot alg;
    const std::string whole = test::StoreObjects({&alg});
    ASSERT_FALSE(ReadFormula(whole));
    for (std::size_t n = 0; n < whole.size(); ++n)
        EXPECT_EQ(ReadFormula(whole.substr(0, n)), Kind::Truncated) << n << " bytes";
}

TEST(HostileArchive, ClassRecordsAreChecked)
{
    const std::string fields(144, '\0');
    EXPECT_EQ(ReadFormula(ClassRecord(1, "CFractAlgNoSuch") + fields), Kind::UnknownClass);
    EXPECT_EQ(ReadFormula(ClassRecord(1, std::string(64, 'C')) + fields), Kind::NameTooLong);
    EXPECT_EQ(ReadFormula(ClassRecord(1, std::string(63, 'C')) + fields), Kind::UnknownClass);
    EXPECT_EQ(ReadFormula(ClassRecord(2, "CFractAlgMandelbrot") + fields), Kind::BadSchema);
    EXPECT_EQ(ReadFormula(ClassRecord(1, "CFractColPolarLog") + fields), Kind::WrongBase);
    EXPECT_EQ(ReadFormula(ClassRecord(1, "CObject") + fields), Kind::UnknownClass);
    EXPECT_FALSE(ReadFormula(ClassRecord(1, "CFractAlg") + std::string(128, '\0')));
}

TEST(HostileArchive, ReferencesMustNameWhatWasStored)
{
    EXPECT_EQ(ReadFormula(Bytes({0x00, 0x00})), Kind::NullObject);
    EXPECT_EQ(ReadFormula(Bytes({0x01, 0x80})), Kind::BadIndex);
    EXPECT_EQ(ReadFormula(Bytes({0x00, 0x80})), Kind::BadIndex);
    EXPECT_EQ(ReadFormula(Bytes({0x05, 0x00})), Kind::BadIndex);
    EXPECT_EQ(ReadFormula(Bytes({0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80})), Kind::BadIndex);
    EXPECT_EQ(ReadFormula(Bytes({0xFF, 0x7F, 0x09, 0x00, 0x00, 0x00})), Kind::BadIndex);

    // After one formula: index 1 is its class, 2 the object itself.
    CFractAlgMandelbrot alg;
    const std::string one = test::StoreObjects({&alg});
    auto second = [&](const std::string& tag) {
        std::istringstream in(one + tag + std::string(144, '\0'));
        Archive ar(in, FindRegisteredClass);
        ar.ReadObject(CFractAlg::kClass);
        try {
            ar.ReadObject(CFractAlg::kClass);
        } catch (const ArchiveError& e) {
            return std::optional<Kind>(e.kind());
        }
        return std::optional<Kind>();
    };
    EXPECT_FALSE(second(Bytes({0x01, 0x80})));
    EXPECT_EQ(second(Bytes({0x02, 0x80})), Kind::WrongKind);
    EXPECT_EQ(second(Bytes({0x01, 0x00})), Kind::WrongKind);
    EXPECT_EQ(second(Bytes({0x02, 0x00})), Kind::SharedObject);
}

TEST(HostileArchive, ClassReferenceOfTheWrongFamilyIsRefused)
{
    CFractColPolarLog col;
    std::istringstream in(test::StoreObjects({&col}) + Bytes({0x01, 0x80}));
    Archive ar(in, FindRegisteredClass);
    ar.ReadObject(CFractCol::kClass);
    try {
        ar.ReadObject(CFractAlg::kClass);
        FAIL() << "a coloring class was accepted as a formula";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.kind(), Kind::WrongBase);
    }
}

TEST(HostileArchive, StringLengthsBeyondTheDataAreTruncationNotAllocation)
{
    std::istringstream in(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}));
    try {
        Archive(in).ReadString();
        FAIL() << "a 4 GiB string was read from 2 bytes";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.kind(), Kind::Truncated);
    }
}

}  // namespace
}  // namespace korvanta
