#pragma once

namespace korvanta {

// The tooltip of a control, by its identifier, exactly as the program has always shown it;
// null for a control without one.
constexpr const char* TooltipOf(int control)
{
    switch (control) {
    case 2: return "Return without action";
    case 1000: return "Real axe start coordinate";
    case 1001: return "Imaginary axe start coordinate";
    case 1002: return "Real axe end coordinate";
    case 1003: return "Imaginary axe end coordinate";
    case 1008: return "The way a colors are assigned to calcualted pixels";
    case 1011: return "Keep height/width ratio the same";
    case 1012: return "Will display Real, Imaginary start and ending points in render window";
    case 1013: return "Render window width in pixels";
    case 1014: return "Render window height in pixels";
    case 1018: return "Render selected fractal";
    case 1023: return "Determines the type of fractal to render";
    case 1026: return "Indication of the amount of colors (not the exact number)";
    case 1027: return "Increment/Decrement Color resolution";
    case 1028: return "Constant Real part";
    case 1030: return "Constant Imaginary part";
    case 1048: return "Select and press start to render a sample scene";
    case 1049: return "Keep control window on top of other windows";
    case 1050: return "Save desktop on exit and restore when program is started";
    default: return nullptr;
    }
}

}  // namespace korvanta
