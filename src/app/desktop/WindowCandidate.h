#pragma once
// The windows a capture can pick with one click, among those noted as the overlay opened (so they
// match the frozen screen whatever the windows do meanwhile).

#include <windows.h>

#include <optional>

#include "app/desktop/WindowList.h"

// The rectangle of the innermost noted window at `point`, if any.
std::optional<ScreenRect> CandidateAt(const WindowList& windows, POINT point);

// A press and a release this close count as a click, not as a drag.
bool IsClick(POINT press, POINT release);
