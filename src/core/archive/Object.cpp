#include "core/archive/Object.h"

namespace korvanta {

// The root has no schema of its own and cannot be created from a document.
constinit const CRuntimeClass CObject::kClass{"CObject", 0xFFFF, nullptr, nullptr};

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass& base) const
{
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass)
        if (c == &base)
            return true;
    return false;
}

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

}  // namespace korvanta
