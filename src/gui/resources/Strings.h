#pragma once

namespace korvanta::strings {

// The control window's own texts; the checks of Render bring theirs (core/render/RenderRequest.h).
inline constexpr const char* kDialogTitle = "Nimbrel's Fractal Renderer";
inline constexpr const char* kRemedyOrUncheck = "Either remedy the error or uncheck DeskTop";
inline constexpr const char* kAddAlgError = "Internal Error in CFractalDlg::AddAlg";
inline constexpr const char* kAddColError = "Internal Error in CFractalDlg::AddCol";
inline constexpr const char* kAlgSelectionError =
    "Internal error, Add all possible algorithms objects in OnInitDialog!";
inline constexpr const char* kColSelectionError =
    "Internal error, Add all possible color objects in OnInitDialog!";

}  // namespace korvanta::strings
