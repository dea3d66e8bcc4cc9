#include "core/colorings/ColoringList.h"
#include "core/colorings/FractColPOVRay.h"
#include "core/colorings/FractColPolarLog.h"
#include "core/archive/Archive.h"
#include "core/deep/FractAlgDeep.h"
#include "core/render/ClassRegistry.h"
#include "core/formulas/FormulaList.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace korvanta {
namespace {

// An object's own fields, without the class record in front.
std::string Fields(CObject& object)
{
    std::ostringstream out;
    Archive ar(out);
    object.Serialize(ar);
    return out.str();
}

template <class T>
std::unique_ptr<T> Reload(const CObject& object)
{
    std::istringstream in(test::StoreObjects({&object}));
    Archive ar(in, FindRegisteredClass);
    auto loaded = ar.ReadObject(T::kClass);
    EXPECT_EQ(in.peek(), EOF) << "fields left unread";
    return std::unique_ptr<T>(static_cast<T*>(loaded.release()));
}

TEST(StoredFormula, FieldsAreInTheirDocumentedOrder)
{
    CFractAlgMandelbrot alg;
    alg.SetArea(-2, 1, -1.5, 1.5);
    alg.SetWidth(300);
    alg.SetHeight(200);
    alg.SetMaxIter(77);
    alg.m_aux = CFractValue(7, 8);
    alg.SetPoint(3, 4);
    alg.Iterate();
    const std::string bytes = Fields(alg);
    ASSERT_EQ(bytes.size(), 144u);
    auto f64 = [&](std::size_t at) {
        double d;
        std::memcpy(&d, bytes.data() + at, 8);
        return d;
    };
    auto i32 = [&](std::size_t at) {
        std::int32_t v;
        std::memcpy(&v, bytes.data() + at, 4);
        return v;
    };
    EXPECT_EQ(f64(16), 0.01);         // dDx
    EXPECT_EQ(f64(24), 0.015);        // dDy
    EXPECT_EQ(f64(36), -2 + 3 * 0.01);  // cx
    EXPECT_EQ(f64(52), 1.5);          // YEnd
    EXPECT_EQ(f64(60), -1.5);         // YStart
    EXPECT_EQ(f64(68), 1.0);          // XEnd
    EXPECT_EQ(f64(76), -2.0);         // XStart
    EXPECT_EQ(i32(84), 77);           // limit
    EXPECT_EQ(i32(88), 300);          // width
    EXPECT_EQ(i32(92), 200);          // height
    EXPECT_EQ(f64(128), 7.0);         // aux
    EXPECT_EQ(f64(136), 8.0);
    EXPECT_EQ(Fields(*CreateFormula(0)).size(), 144u);
    CFractAlg base;
    EXPECT_EQ(Fields(base).size(), 128u);
}

TEST(StoredFormula, RoundTripKeepsAreaStepsLimitSizeAndResult)
{
    for (const CRuntimeClass* cls : FormulaClasses()) {
        auto alg = std::unique_ptr<CFractAlg>(static_cast<CFractAlg*>(cls->CreateObject().release()));
        alg->SetArea(-1.25, 0.75, -0.5, 1.5);
        alg->SetWidth(123);
        alg->SetHeight(45);
        alg->SetMaxIter(999);
        CFractValue c(0.3, -0.7);
        c.SetCount(5);
        alg->SetConstant(c);
        alg->SetPoint(17, 9);
        while (!alg->Iterate()) {
        }
        auto loaded = Reload<CFractAlg>(*alg);
        SCOPED_TRACE(cls->m_lpszClassName);
        EXPECT_EQ(&loaded->GetRuntimeClass(), cls);
        EXPECT_EQ(Fields(*loaded), Fields(*alg));
        EXPECT_EQ(loaded->StepX(), alg->StepX());
        EXPECT_EQ(loaded->GetMaxIter(), 999);
        EXPECT_EQ(loaded->Width(), 123);
        EXPECT_EQ(loaded->GetConstant().m_z, alg->GetConstant().m_z);
        EXPECT_EQ(loaded->GetConstant().GetCount(), 0);
        EXPECT_EQ(loaded->GetResult()->m_z, alg->GetResult()->m_z);
    }
}

TEST(StoredColoring, PolarLogStoresItsCountAndTheLogarithm)
{
    CFractColPolarLog col;
    col.SetNumColors(5);
    const double ln6 = std::log(6.0);
    EXPECT_EQ(Fields(col), test::Bytes({5, 0, 0, 0}) + test::StoreValue(ln6));
}

TEST(StoredColoring, FieldSizesAndRoundTrips)
{
    const std::size_t sizes[] = {4, 4, 4, 4, 12, 12, 12};
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        auto col = CreateColoring(static_cast<std::int32_t>(i));
        SCOPED_TRACE(col->GetName());
        EXPECT_EQ(Fields(*col).size(), sizes[i]);
        auto loaded = Reload<CFractCol>(*col);
        EXPECT_EQ(Fields(*loaded), Fields(*col));
        EXPECT_EQ(loaded->GetNumColors(), col->GetNumColors());
    }
}

TEST(StoredColoring, LoadingKeepsWhatTheSetterWouldClampAndTheStoredLogarithm)
{
    // 70000 colors and a logarithm that does not belong to them: both are kept as stored.
    std::istringstream in(test::StoreObjects({}) + test::Bytes({0xFF, 0xFF, 1, 0, 15, 0}) +
                          "CFractColPOVRay" + test::StoreValue(std::int32_t{70000}) +
                          test::StoreValue(2.0));
    Archive ar(in, FindRegisteredClass);
    auto col = ar.ReadObject(CFractCol::kClass);
    auto& pov = static_cast<CFractColPOVRay&>(*col);
    EXPECT_EQ(pov.GetNumColors(), 70000);
    EXPECT_EQ(Fields(pov).substr(4), test::StoreValue(2.0));
}

TEST(Registry, EveryClassIsFoundByItsNameWithItsFamily)
{
    EXPECT_EQ(RegisteredClasses().size(),
              2u + FormulaClasses().size() + ColoringClasses().size() + DeepFormulaClasses().size());
    for (const CRuntimeClass* cls : RegisteredClasses()) {
        EXPECT_EQ(FindRegisteredClass(cls->m_lpszClassName), cls);
        EXPECT_EQ(cls->m_wSchema, 1);
        EXPECT_TRUE(cls->IsDerivedFrom(CFractAlg::kClass) != cls->IsDerivedFrom(CFractCol::kClass))
            << cls->m_lpszClassName;
    }
    EXPECT_EQ(CFractCol::kClass.m_pBaseClass, &CObject::kClass);
    EXPECT_EQ(CFractAlg::kClass.m_pBaseClass, &CObject::kClass);
    EXPECT_EQ(FindRegisteredClass("cfractalgmandelbrot"), nullptr);
}

}  // namespace
}  // namespace korvanta
