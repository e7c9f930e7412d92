#pragma once
// The windows a capture can pick with one click: noted once as the overlay opens, so they match
// the frozen screen whatever the windows do meanwhile.

#include <windows.h>

#include <optional>

#include "app/CaptureState.h"

// Notes the windows on the screen now, the overlay left out.
void NoteWindowsAtOpening(HWND overlay);
void ForgetNotedWindows();

// The rectangle of the innermost noted window at `point`, if any.
std::optional<ScreenRect> CandidateAt(POINT point);

// A press and a release this close count as a click, not as a drag.
bool IsClick(POINT press, POINT release);
