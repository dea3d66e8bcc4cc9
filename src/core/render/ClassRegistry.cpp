#include "core/render/ClassRegistry.h"

#include "core/archive/Archive.h"

#include "core/colorings/ColoringList.h"
#include "core/deep/FractAlgDeep.h"
#include "core/formulas/FormulaList.h"

#include <sstream>
#include <vector>

namespace korvanta {

std::span<const CRuntimeClass* const> RegisteredClasses()
{
    static const std::vector<const CRuntimeClass*> all = [] {
        std::vector<const CRuntimeClass*> v{&CFractAlg::kClass, &CFractCol::kClass};
        for (const CRuntimeClass* c : FormulaClasses())
            v.push_back(c);
        for (const CRuntimeClass* c : ColoringClasses())
            v.push_back(c);
        for (const CRuntimeClass* c : DeepFormulaClasses())
            v.push_back(c);
        return v;
    }();
    return all;
}

const CRuntimeClass* FindRegisteredClass(std::string_view name)
{
    for (const CRuntimeClass* c : RegisteredClasses())
        if (name == c->m_lpszClassName)
            return c;
    return nullptr;
}

namespace {

template <class T>
std::unique_ptr<T> Clone(const T& original)
{
    std::ostringstream stored;
    Archive store(stored);
    store.WriteObject(&original);
    std::istringstream bytes(stored.str());
    Archive load(bytes, FindRegisteredClass);
    std::unique_ptr<CObject> object = load.ReadObject(T::kClass);
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

}  // namespace

std::unique_ptr<CFractAlg> CloneFormula(const CFractAlg& alg)
{
    std::unique_ptr<CFractAlg> copy = Clone(alg);
    alg.ShareComputedState(*copy);
    return copy;
}

std::unique_ptr<CFractCol> CloneColoring(const CFractCol& col)
{
    return Clone(col);
}

}  // namespace korvanta
