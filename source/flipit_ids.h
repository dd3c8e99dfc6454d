// Ids shared by the plug-in's code and its resource file: dialog
// descriptions, gadgets, menu commands and pop-up list values.
#pragma once

#include "host/host_types.h"

// The command and the dialog it opens.
inline constexpr Int32 ID_VITREL = 1024416;

// Dialog descriptions.
inline constexpr Int32 DLG_MIRROR = 10001;
inline constexpr Int32 DLG_BASIC_USE = 10024;
inline constexpr Int32 DLG_VERSION = 10026;

// Gadgets of the mirror dialog.
inline constexpr Int32 IDC_BANNER = 10002;
inline constexpr Int32 IDC_AXIS = 10005;
inline constexpr Int32 IDC_POSITIONING = 10006;
inline constexpr Int32 IDC_MIRROR_POINTS = 10007;
inline constexpr Int32 IDC_DUPLICATE = 10008;
inline constexpr Int32 IDC_DUPLICATE_WITHOUT_CHILDREN = 10009;
inline constexpr Int32 IDC_SKIP_CHILDREN = 10010;
inline constexpr Int32 IDC_SKIP_PRIMITIVES = 10011;
inline constexpr Int32 IDC_SKIP_POLYGON_COMMAND = 10012;
inline constexpr Int32 IDC_FINAL_COMMAND = 10013;
inline constexpr Int32 IDC_SPARE_OPTION = 10014;
inline constexpr Int32 IDC_RESET = 10015;
inline constexpr Int32 IDC_RENAME_MODE = 10016;
inline constexpr Int32 IDC_SUFFIX = 10017;
inline constexpr Int32 IDC_KEEP_DISPLAY_COLOR = 10018;
inline constexpr Int32 IDC_DISPLAY_COLOR_MODE = 10019;
inline constexpr Int32 IDC_DISPLAY_COLOR = 10020;
inline constexpr Int32 IDC_XRAY = 10021;
inline constexpr Int32 IDC_MIRROR = 10022;  // also the closing button of both help dialogs
inline constexpr Int32 IDC_CLOSE = 10023;

// Gadgets of the help dialogs.
inline constexpr Int32 IDC_USAGE_BANNER = 10025;
inline constexpr Int32 IDC_VERSION_BANNER = 10027;
inline constexpr Int32 IDC_VERSION_TEXT = 10028;

// Menu commands.
inline constexpr Int32 IDM_SIMPLE_USAGE = 6000;
inline constexpr Int32 IDM_HELP_FILE = 6001;
inline constexpr Int32 IDM_ABOUT = 6002;
inline constexpr Int32 IDM_CLOSE_MANAGER = 6010;

// Axis values.
inline constexpr Int32 AXIS_X = 5000;
inline constexpr Int32 AXIS_Y = 5001;
inline constexpr Int32 AXIS_Z = 5002;

// Positioning modes.
inline constexpr Int32 POSITION_MOVE_ROTATE = 5050;
inline constexpr Int32 POSITION_MOVE = 5051;
inline constexpr Int32 POSITION_ROTATE = 5052;
inline constexpr Int32 POSITION_NONE = 5053;

// Rename modes.
inline constexpr Int32 RENAME_PRIMARY = 5070;
inline constexpr Int32 RENAME_ALL = 5071;
inline constexpr Int32 RENAME_NONE = 5072;
inline constexpr Int32 RENAME_BY_HOST = 5073;

// Display-colour modes.
inline constexpr Int32 COLOR_OFF = 5200;
inline constexpr Int32 COLOR_AUTOMATIC = 5201;
inline constexpr Int32 COLOR_ALWAYS = 5202;
inline constexpr Int32 COLOR_LAYER = 5203;
