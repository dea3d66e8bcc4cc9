#include "core/render/BandRows.h"

namespace korvanta {

RowRange BandRows(std::int32_t height, std::int32_t band, std::int32_t bands)
{
    if (height <= 0 || bands <= 0 || band < 0 || band >= bands)
        return {};
    const auto start = [&](std::int64_t k) {
        return static_cast<std::int32_t>(k * height / bands);
    };
    return {start(band), start(band + 1) - start(band)};
}

}  // namespace korvanta
