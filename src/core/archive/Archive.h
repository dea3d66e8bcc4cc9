#pragma once

#include "core/archive/ArchiveError.h"
#include "core/archive/Object.h"

#include <algorithm>
#include <bit>
#include <complex>
#include <cstdint>
#include <cstring>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace korvanta {

// The class that a stored name stands for, or null when the reader knows no such class.
using ClassLookup = const CRuntimeClass* (*)(std::string_view name);

// The tagged little-endian object stream of documents and the desktop file. One archive
// either stores or loads; Serialize functions use Transfer so one function does both.
class Archive {
public:
    explicit Archive(std::ostream& out) : m_out(&out) {}
    // Objects are created through `lookup`; without one, reading any object fails.
    explicit Archive(std::istream& in, ClassLookup lookup = nullptr) : m_in(&in), m_lookup(lookup) {}
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool IsStoring() const { return m_out != nullptr; }
    bool IsLoading() const { return m_in != nullptr; }

    void WriteBytes(const void* data, std::size_t size);
    void ReadBytes(void* data, std::size_t size);

    template <class T>
    void Write(T value)
    {
        static_assert(std::is_arithmetic_v<T>);
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(bytes, bytes + sizeof(T));
        WriteBytes(bytes, sizeof(T));
    }

    template <class T>
    T Read()
    {
        static_assert(std::is_arithmetic_v<T>);
        unsigned char bytes[sizeof(T)];
        ReadBytes(bytes, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(bytes, bytes + sizeof(T));
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    template <class T>
    void Transfer(T& value)
    {
        if (IsStoring())
            Write(value);
        else
            value = Read<T>();
    }

    // A complex number as its real part, then its imaginary part.
    void Transfer(std::complex<double>& z);
    // A length-prefixed string.
    void Transfer(std::string& text);

    template <class... T>
    void TransferAll(T&... values)
    {
        (Transfer(values), ...);
    }

    void WriteString(std::string_view text);
    std::string ReadString();

    // Writes a null tag, a reference to an object stored earlier, or the object with its
    // class (a class record the first time, a class reference after that).
    void WriteObject(const CObject* object);

    // Reads one object that must be new to this archive and of class `base` or derived.
    // Null objects and references to objects read earlier are refused: no caller can own a
    // shared object.
    std::unique_ptr<CObject> ReadObject(const CRuntimeClass& base);

private:
    const CRuntimeClass& ReadClassRecord();
    const CRuntimeClass& ClassAt(std::uint32_t index) const;

    std::ostream* m_out = nullptr;
    std::istream* m_in = nullptr;
    ClassLookup m_lookup = nullptr;

    // Index 0 is the null object; classes and objects share one count across the archive.
    std::uint32_t m_nextIndex = 1;
    std::unordered_map<const CObject*, std::uint32_t> m_storedObjects;
    std::unordered_map<const CRuntimeClass*, std::uint32_t> m_storedClasses;
    // Loading: what each index names; null for an object.
    std::vector<const CRuntimeClass*> m_loaded{nullptr};
};

}  // namespace korvanta
