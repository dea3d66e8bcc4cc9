#pragma once

namespace korvanta {

// Identifiers of the control dialog's controls and commands. Macros, help and tests address
// controls by these numbers, so they never change.
enum ControlId : int {
    kIdExit = 2,
    kIdXStart = 1000,
    kIdYStart = 1001,
    kIdXEnd = 1002,
    kIdYEnd = 1003,
    kIdColoring = 1008,
    kIdAspectRatio = 1011,
    kIdShowValues = 1012,
    kIdWidth = 1013,
    kIdHeight = 1014,
    kIdRender = 1018,
    kIdFormula = 1023,
    kIdNumColors = 1026,
    kIdUpDown = 1027,
    kIdCRe = 1028,
    kIdCIm = 1030,
    kIdSamples = 1048,
    kIdOnTop = 1049,
    kIdDesktop = 1050,
    kIdHelp = 1062,
};

// Commands of the menus.
enum CommandId : int {
    kCmdAbout = 16,
    kCmdHelp = 57666,
    kCmdStartRecord = 32782,
    kCmdStopRecord = 32783,
    kCmdStartPlayback = 32784,
    kCmdProperties = 32778,
    kCmdSaveAs = 32779,
    kCmdSetConstant = 32780,
    kCmdSetWallpaper = 32787,
};

}  // namespace korvanta
