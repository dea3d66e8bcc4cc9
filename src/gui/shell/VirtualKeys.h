#pragma once

#include <cstdint>

namespace korvanta {

// Qt's keys and the virtual-key codes that macro files store, in one table both ways, so
// files recorded here play anywhere the format is read. 0 for a key the table lacks.
std::uint32_t VirtualKeyOf(int qtKey, bool keypad);
int QtKeyOf(std::uint32_t virtualKey);
// Navigation keys and keypad Enter are "extended" keys in the stored flags.
bool IsExtendedKey(int qtKey, bool keypad);

}  // namespace korvanta
