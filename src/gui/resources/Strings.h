#pragma once

namespace korvanta::strings {

// The program's own texts, as the user sees them.
inline constexpr const char* kDialogTitle = "Nimbrel's Fractal Renderer";
inline constexpr const char* kValueRange = "Value should be between or equal to %1 and %2!";
inline constexpr const char* kXTooClose = "The difference between XStart and XEnd is too small!";
inline constexpr const char* kYTooClose = "The difference between YStart and YEnd is too small!";
inline constexpr const char* kRemedyOrUncheck = "Either remedy the error or uncheck DeskTop";
inline constexpr const char* kIllegalXStart = "Illegal real start value";
inline constexpr const char* kIllegalXEnd = "Illegal real end value";
inline constexpr const char* kIllegalYStart = "Illegal imaginary start value";
inline constexpr const char* kIllegalYEnd = "Illegal imaginary end value";
inline constexpr const char* kIllegalCRe = "Illegal real part of the constant C";
inline constexpr const char* kIllegalCIm = "Illegal imaginary part of the constant C";
inline constexpr const char* kOutOfMemory = "Out of memory!";
inline constexpr const char* kAddAlgError = "Internal Error in CFractalDlg::AddAlg";
inline constexpr const char* kAddColError = "Internal Error in CFractalDlg::AddCol";
inline constexpr const char* kAlgSelectionError =
    "Internal error, Add all possible algorithms objects in OnInitDialog!";
inline constexpr const char* kColSelectionError =
    "Internal error, Add all possible color objects in OnInitDialog!";

}  // namespace korvanta::strings
