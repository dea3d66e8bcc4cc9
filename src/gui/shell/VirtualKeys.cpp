#include "gui/shell/VirtualKeys.h"

#include <Qt>

#include <array>

namespace korvanta {

namespace {

struct KeyPair {
    int qt;
    std::uint32_t vk;
};

// Letters and digits are generated below; these are the others, first match counts.
constexpr std::array<KeyPair, 43> kKeys{{
    {Qt::Key_Cancel, 0x03},   {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},
    {Qt::Key_Backtab, 0x09},  {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},
    {Qt::Key_Shift, 0x10},    {Qt::Key_Control, 0x11},   {Qt::Key_Alt, 0x12},
    {Qt::Key_Pause, 0x13},    {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},
    {Qt::Key_Space, 0x20},    {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},      {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},       {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},
    {Qt::Key_Insert, 0x2D},   {Qt::Key_Delete, 0x2E},    {Qt::Key_Menu, 0x5D},
    {Qt::Key_F1, 0x70},       {Qt::Key_F2, 0x71},        {Qt::Key_F3, 0x72},
    {Qt::Key_F4, 0x73},       {Qt::Key_F5, 0x74},        {Qt::Key_F6, 0x75},
    {Qt::Key_F7, 0x76},       {Qt::Key_F8, 0x77},        {Qt::Key_F9, 0x78},
    {Qt::Key_F10, 0x79},      {Qt::Key_F11, 0x7A},       {Qt::Key_F12, 0x7B},
    {Qt::Key_Plus, 0xBB},     {Qt::Key_Comma, 0xBC},     {Qt::Key_Minus, 0xBD},
    {Qt::Key_Period, 0xBE},   {Qt::Key_Slash, 0xBF},     {Qt::Key_Semicolon, 0xBA},
    {Qt::Key_Equal, 0xBB},
}};

// The numeric keypad has codes of its own.
constexpr std::array<KeyPair, 5> kKeypad{{
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E},   {Qt::Key_Slash, 0x6F},
}};

}  // namespace

std::uint32_t VirtualKeyOf(int qtKey, bool keypad)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 0x41 + std::uint32_t(qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? 0x60 : 0x30) + std::uint32_t(qtKey - Qt::Key_0);
    if (keypad)
        for (const KeyPair& pair : kKeypad)
            if (pair.qt == qtKey)
                return pair.vk;
    for (const KeyPair& pair : kKeys)
        if (pair.qt == qtKey)
            return pair.vk;
    return 0;
}

int QtKeyOf(std::uint32_t vk)
{
    if (vk >= 0x41 && vk <= 0x5A)
        return Qt::Key_A + int(vk - 0x41);
    if (vk >= 0x30 && vk <= 0x39)
        return Qt::Key_0 + int(vk - 0x30);
    if (vk >= 0x60 && vk <= 0x69)
        return Qt::Key_0 + int(vk - 0x60);
    for (const KeyPair& pair : kKeypad)
        if (pair.vk == vk)
            return pair.qt;
    for (const KeyPair& pair : kKeys)
        if (pair.vk == vk)
            return pair.qt;
    return 0;
}

bool IsExtendedKey(int qtKey, bool keypad)
{
    switch (qtKey) {
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_End: case Qt::Key_Home:
    case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_Right: case Qt::Key_Down:
    case Qt::Key_Insert: case Qt::Key_Delete:
        return !keypad;
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

}  // namespace korvanta
