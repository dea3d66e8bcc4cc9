#pragma once

#include <array>
#include <cstdint>

namespace korvanta {

// A control and the number of its popup help topic.
struct HelpId {
    std::uint32_t control;
    std::uint32_t topic;
};

// Which popup topic belongs to which control, ending with (0, 0). The repeated rows are
// part of the table as it has always been; the first match counts.
inline constexpr std::array<HelpId, 23> kHelpIds{{
    {1000, 1000}, {1002, 1001}, {1000, 1000}, {1002, 1001}, {1001, 1002}, {1003, 1003},
    {1028, 1004}, {1030, 1005}, {1026, 1006}, {1027, 1007}, {1011, 1008}, {1012, 1009},
    {1013, 1010}, {1014, 1011}, {1018, 1012}, {16, 1013},   {2, 1014},    {1048, 1015},
    {1049, 1016}, {1023, 1017}, {1008, 1018}, {1050, 1019}, {0, 0},
}};

// The topic of a control, or 0 when the control has none.
constexpr std::uint32_t HelpTopicOf(int control)
{
    for (const HelpId& id : kHelpIds) {
        if (id.control == 0)
            break;
        if (control >= 0 && id.control == static_cast<std::uint32_t>(control))
            return id.topic;
    }
    return 0;
}

}  // namespace korvanta
