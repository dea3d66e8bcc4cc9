#pragma once

#include "core/colorings/FractCol.h"

namespace korvanta {

// Shared by the colorings that scale ln(n + 1) by ln(N + 1): the user sets N, and the
// logarithm is kept (and stored) beside it.
class LogScaledColoring : public CFractCol {
public:
    explicit LogScaledColoring(std::int32_t colors) { LogScaledColoring::SetNumColors(colors); }

    void Serialize(Archive& ar) override;
    bool CanSetNumColors() const override { return true; }
    std::int32_t GetNumColors() const override { return m_nColors; }
    void SetNumColors(std::int32_t n) override;

protected:
    double m_dLogColors = 0;
};

}  // namespace korvanta
