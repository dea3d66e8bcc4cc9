#pragma once

#include "core/archive/Archive.h"

#include <sstream>
#include <string>
#include <vector>

namespace korvanta::test {

inline std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

// The bytes of one archive that stores `objects` in order.
inline std::string StoreObjects(const std::vector<const CObject*>& objects)
{
    std::ostringstream out;
    Archive ar(out);
    for (const CObject* o : objects)
        ar.WriteObject(o);
    return out.str();
}

template <class T>
std::string StoreValue(T value)
{
    std::ostringstream out;
    Archive ar(out);
    ar.Write(value);
    return out.str();
}

}  // namespace korvanta::test
