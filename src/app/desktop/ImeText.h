#pragma once
// What an input method hands the overlay, and where it shows what is being composed.

#include <windows.h>

#include <string>

// The text an input method finished composing (with WM_IME_COMPOSITION and GCS_RESULTSTR).
std::wstring ImeResultText(HWND window);
// Shows the input method's composition at a point of the window (the caret).
void PlaceImeComposition(HWND window, POINT at);
