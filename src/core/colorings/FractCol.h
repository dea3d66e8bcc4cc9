#pragma once

#include "core/archive/Object.h"
#include "core/formulas/FractValue.h"

#include <cstdint>

namespace korvanta {

// A coloring: turns a finished point's iteration count into a pixel value (red in bits
// 16-23, green 8-15, blue 0-7). Its number of colors is also the formula's iteration limit.
// The base class is a working coloring that paints everything black.
class CFractCol : public CObject {
    KORVANTA_DECLARE_SERIAL(CFractCol)

public:
    void Serialize(Archive& ar) override;

    virtual const char* GetName() const { return "BaseClass"; }
    virtual bool CanSetNumColors() const { return false; }
    virtual std::int32_t GetNumColors() const { return 1; }
    virtual void SetNumColors(std::int32_t n) { m_nColors = n; }
    virtual std::uint32_t GetColor(const CFractValue&) const { return 0; }

protected:
    static std::uint32_t Count(const CFractValue& result)
    {
        return static_cast<std::uint32_t>(result.GetCount());
    }

    std::int32_t m_nColors = 0;
};

}  // namespace korvanta
