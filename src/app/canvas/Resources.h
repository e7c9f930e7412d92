#pragma once
// Identifiers of the resources embedded by assets/screencut.rc.

#define IDI_PROGRAM 1
#define IDC_OVERLAY 101
#define IDR_MAIN_PICTURE 201
#define IDR_TOOLBAR_STRIP 202
#define IDR_MENU_NORMAL 203
#define IDR_MENU_HIGHLIGHT 204
#define IDR_TOOLS_STRIP 205
