#pragma once
// How the overlay redraws after each message. Damage, the program's way, repaints and pushes
// only what changed and keeps decoded images for the capture (FrameDamage, CaptureImages).
// Full is the plain way: the whole canvas from the layers, every image decoded for each
// drawing, the whole canvas pushed. Both show the same pixels; Full stays to measure against
// and to prove that.

enum class RedrawMode { Damage, Full };

void SetRedrawMode(RedrawMode mode);
RedrawMode CurrentRedrawMode();
