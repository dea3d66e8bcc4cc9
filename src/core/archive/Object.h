#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace korvanta {

class Archive;
class CObject;

// Runtime record of a storable class: documents name the class, and a reader creates the
// object from that name and checks where it sits in the hierarchy.
struct CRuntimeClass {
    const char* m_lpszClassName;
    std::uint16_t m_wSchema;
    std::unique_ptr<CObject> (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    bool IsDerivedFrom(const CRuntimeClass& base) const;
    std::unique_ptr<CObject> CreateObject() const;
};

// Base of every object that a document stores with its class name.
class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass& GetRuntimeClass() const { return kClass; }
    virtual void Serialize(Archive&) {}

    static const CRuntimeClass kClass;
};

// A fresh object of the class at `index` of a class list, or null when there is none.
template <class T>
std::unique_ptr<T> CreateListed(std::span<const CRuntimeClass* const> classes, std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= classes.size())
        return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(classes[index]->CreateObject().release()));
}

}  // namespace korvanta

// Gives a class its runtime record; KORVANTA_IMPLEMENT_SERIAL in one source file defines it.
#define KORVANTA_DECLARE_SERIAL(Class)                                                       \
public:                                                                                      \
    static const ::korvanta::CRuntimeClass kClass;                                           \
    const ::korvanta::CRuntimeClass& GetRuntimeClass() const override { return kClass; }

#define KORVANTA_IMPLEMENT_SERIAL(Class, Base)                                               \
    constinit const ::korvanta::CRuntimeClass Class::kClass{                                 \
        #Class, 1,                                                                           \
        []() -> std::unique_ptr<::korvanta::CObject> { return std::make_unique<Class>(); },  \
        &Base::kClass};
