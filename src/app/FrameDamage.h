#pragma once
// Redrawing the overlay without redoing what the canvas already shows.
//
// The plain way to draw a frame is the base (the frozen screen under the dimming layer) over
// the whole canvas, the pieces of the frame blended on top, and a push of the whole canvas to
// the window: on a 3840 × 2160 screen that is well over 100 ms for every mouse move. Yet the
// base of a pixel depends on nothing but the pixel, and so does the frozen screen shown at full
// brightness inside the selection. So the canvas keeps track of where it is known to show one
// or the other; repainting the base is owed rather than done, and is paid only where a piece of
// the frame is about to be blended, or, when the frame is presented, where a piece of the last
// frame still lies. The push then covers only the rectangle around the pixels that really
// changed (PushedPixels), and is left out when none did.
//
// Every drawing onto the overlay canvas goes through these functions; with RedrawMode::Full
// they draw and push the plain way.

#include <windows.h>

#include <vector>

#include "app/RedrawMode.h"

class GxGraphics;

// A capture begins: the base over the whole canvas, which the window gets all of with the first
// push once it is shown.
void StartFrames();
// The canvas is about to be detached: everything known about it is forgotten.
void EndFrames();

// The overlay procedure holds one for each message. While one lives, repainting the base may
// wait for the next PresentFrame; outside, the canvas is brought up to date at once.
class MessageFrame {
 public:
  MessageFrame();
  ~MessageFrame();
  MessageFrame(const MessageFrame&) = delete;
  MessageFrame& operator=(const MessageFrame&) = delete;
};

// The base over the whole canvas.
void PaintBase();
// The frozen screen with a screen-sized layer of premultiplied pixels (the annotations) blended
// over it, in (x, y, width, height) of the canvas; the frozen screen alone without a layer.
void ShowAnnotated(int x, int y, int width, int height, const GxGraphics* layer);
// The layer of ShowAnnotated changed within `rect` (canvas pixels).
void AnnotationsChanged(const RECT& rect);
// A whole surface blended onto the canvas at (x, y).
void BlendOntoCanvas(const GxGraphics& surface, int x, int y, int alpha, bool perPixelAlpha);
// The parts of a width × height surface worth making, drawing and blending when nothing is drawn
// on it beyond `margin` pixels from its edges (its inside stays zero bytes, which blend to
// nothing): the four edge strips, disjoint; or the whole surface, in RedrawMode::Full or when
// the strips would cover it anyway.
std::vector<RECT> EdgeParts(int width, int height, int margin);
// Pushes the canvas to the overlay window. A push asked for from inside a push (the system sends
// the overlay messages while it pushes) is left to the next one.
bool PresentFrame();
