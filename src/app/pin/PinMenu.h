#pragma once
// A pinned capture's right-button menu: a plain system menu, since a pin lives on the desktop
// among ordinary windows rather than on the overlay.

#include <windows.h>

enum class PinAction { None, Copy, Save, ResetZoom, Close };

// Shows the menu at the screen point `at` and waits for the choice; None when it is dismissed.
PinAction ChoosePinAction(HWND owner, POINT at);
