#pragma once
// What the selection shows of the annotations.

class CaptureSession;

// Inside the selection (left, top, width, height): the frozen screen with the kept annotations
// over it, then what the armed tool has under way (a shape being drawn, a text box and its
// caret), all cut to the selection. Only the pieces of the shape under way are drawn, so a
// mouse move while drawing repaints what that shape covered and covers now, not the selection.
void ShowSelectionContent(CaptureSession& session, int left, int top, int width, int height);
