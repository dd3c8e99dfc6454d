// Ids shared by the plug-in's code and its resource file: dialog
// descriptions, gadgets, menu commands and pop-up list values.
#pragma once

#include <cstdint>

// The command and the dialog it opens.
inline constexpr int32_t ID_VITREL = 1024416;

// Dialog descriptions.
inline constexpr int32_t DLG_MIRROR = 10001;
inline constexpr int32_t DLG_BASIC_USE = 10024;
inline constexpr int32_t DLG_VERSION = 10026;

// Gadgets of the mirror dialog.
inline constexpr int32_t IDC_BANNER = 10002;
inline constexpr int32_t IDC_AXIS = 10005;
inline constexpr int32_t IDC_POSITIONING = 10006;
inline constexpr int32_t IDC_MIRROR_POINTS = 10007;
inline constexpr int32_t IDC_DUPLICATE = 10008;
inline constexpr int32_t IDC_DUPLICATE_WITHOUT_CHILDREN = 10009;
inline constexpr int32_t IDC_SKIP_CHILDREN = 10010;
inline constexpr int32_t IDC_SKIP_PRIMITIVES = 10011;
inline constexpr int32_t IDC_SKIP_POLYGON_COMMAND = 10012;
inline constexpr int32_t IDC_FINAL_COMMAND = 10013;
inline constexpr int32_t IDC_SPARE_OPTION = 10014;
inline constexpr int32_t IDC_RESET = 10015;
inline constexpr int32_t IDC_RENAME_MODE = 10016;
inline constexpr int32_t IDC_SUFFIX = 10017;
inline constexpr int32_t IDC_KEEP_DISPLAY_COLOR = 10018;
inline constexpr int32_t IDC_DISPLAY_COLOR_MODE = 10019;
inline constexpr int32_t IDC_DISPLAY_COLOR = 10020;
inline constexpr int32_t IDC_XRAY = 10021;
inline constexpr int32_t IDC_MIRROR = 10022;  // also the closing button of both help dialogs
inline constexpr int32_t IDC_CLOSE = 10023;

// Gadgets of the help dialogs.
inline constexpr int32_t IDC_USAGE_BANNER = 10025;
inline constexpr int32_t IDC_VERSION_BANNER = 10027;
inline constexpr int32_t IDC_VERSION_TEXT = 10028;

// Menu commands.
inline constexpr int32_t IDM_SIMPLE_USAGE = 6000;
inline constexpr int32_t IDM_HELP_FILE = 6001;
inline constexpr int32_t IDM_ABOUT = 6002;
inline constexpr int32_t IDM_CLOSE_MANAGER = 6010;

// Axis values.
inline constexpr int32_t AXIS_X = 5000;
inline constexpr int32_t AXIS_Y = 5001;
inline constexpr int32_t AXIS_Z = 5002;

// Positioning modes.
inline constexpr int32_t POSITION_MOVE_ROTATE = 5050;
inline constexpr int32_t POSITION_MOVE = 5051;
inline constexpr int32_t POSITION_ROTATE = 5052;
inline constexpr int32_t POSITION_NONE = 5053;

// Rename modes.
inline constexpr int32_t RENAME_PRIMARY = 5070;
inline constexpr int32_t RENAME_ALL = 5071;
inline constexpr int32_t RENAME_NONE = 5072;
inline constexpr int32_t RENAME_BY_HOST = 5073;

// Display-colour modes.
inline constexpr int32_t COLOR_OFF = 5200;
inline constexpr int32_t COLOR_AUTOMATIC = 5201;
inline constexpr int32_t COLOR_ALWAYS = 5202;
inline constexpr int32_t COLOR_LAYER = 5203;
