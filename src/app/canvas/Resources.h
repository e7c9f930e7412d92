#pragma once
// Identifiers of the resources embedded by assets/screencut.rc.

#define IDI_PROGRAM 1
#define IDC_OVERLAY 101
#define IDR_MAIN_PICTURE 201
#define IDR_TOOLBAR_STRIP 202
#define IDR_MENU_NORMAL 203
#define IDR_MENU_HIGHLIGHT 204
#define IDR_TOOLS_STRIP 205

// The settings window and its controls, in their tab order.
#define IDD_SETTINGS 301
#define IDC_SETTINGS_HOTKEY 3001
#define IDC_SETTINGS_HOTKEY_STATE 3002
#define IDC_SETTINGS_FOLDER 3003
#define IDC_SETTINGS_BROWSE 3004
#define IDC_SETTINGS_PATTERN 3005
#define IDC_SETTINGS_PREVIEW 3006
#define IDC_SETTINGS_FORMAT 3007
#define IDC_SETTINGS_QUALITY 3008
#define IDC_SETTINGS_COPY 3009
#define IDC_SETTINGS_MAGNIFIER 3010
