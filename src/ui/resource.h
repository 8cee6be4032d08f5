#pragma once

// Resource and command identifiers of Skimdex.exe, shared by the resource script, the windows and
// the GUI test driver (which sends WM_COMMAND with the command identifiers).

#define IDI_SKIMDEX 1
#define IDR_MAINMENU 100
#define IDD_ABOUTBOX 200
#define IDB_GLYPHS_16 300
#define IDB_GLYPHS_24 301
#define IDB_GLYPHS_32 302

// Commands: toolbar buttons, menu items and the Start button (whose control id is IDM_START).
#define IDM_SCAN_FOLDER 1001
#define IDM_SAVE_TO 1002
#define IDM_NEW_RUN 1003
#define IDM_START 1004
#define IDM_BROWSE 1005
#define IDM_CONFIG 1006
#define IDM_HELP_CONTENTS 1007
#define IDM_HELP_SEARCH 1008
#define IDM_HELP_HOW_TO_USE 1009
#define IDM_ABOUT 1010
#define IDM_EXIT 1011

// Main window controls.
#define IDC_MEMO 2001
#define IDC_PROGRESS 2002
#define IDC_STATUS 2003

// About box controls.
#define IDC_ABOUT_PANEL 2101
#define IDC_ABOUT_ICON 2102
#define IDC_ABOUT_PRODUCT 2103
#define IDC_ABOUT_VERSION 2104
#define IDC_ABOUT_HOME 2105
#define IDC_ABOUT_COPYRIGHT 2106
