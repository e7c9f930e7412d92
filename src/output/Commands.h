#pragma once
// The commands that end or restart a capture.

// Copies the selection of the frozen screen to the clipboard and ends the capture.
void FinishCapture();
// Asks for a file and writes the selection there; a dismissed dialog drops the selection.
void SaveCapture();
// Releases the layers, closes the overlay, resets and shows the main window.
void CancelCapture();
// Forgets the selection, its annotations and all interaction state; the overlay stays open, dimmed.
void ResetCapture();
// ResetCapture, and the release of the click that chose it is ignored.
void ReselectCapture();
