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
// Every drawing onto the overlay canvas goes through FrameCanvas; with RedrawMode::Full it draws
// and pushes the plain way.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "app/canvas/PushedPixels.h"
#include "app/canvas/RedrawMode.h"
#include "app/canvas/Region.h"

class GxGraphics;
class LayeredCanvas;

// The overlay procedure holds one for each message. While one lives, repainting the base may
// wait for the next Present; outside, the canvas is brought up to date at once.
class MessageFrame {
 public:
  MessageFrame();
  ~MessageFrame();
  MessageFrame(const MessageFrame&) = delete;
  MessageFrame& operator=(const MessageFrame&) = delete;
};

// One capture's canvas over its layers: the frozen screen and, for the plain full redraw only,
// the dimming layer. It holds what is known of the canvas; the three objects are the caller's and
// outlive it.
class FrameCanvas {
 public:
  FrameCanvas(LayeredCanvas& canvas, GxGraphics& frozen, GxGraphics& dim);
  FrameCanvas(const FrameCanvas&) = delete;
  FrameCanvas& operator=(const FrameCanvas&) = delete;

  // The base over the whole canvas, which the window gets all of with the first push once shown.
  void Start();

  // The base over the whole canvas.
  void PaintBase();
  // The frozen screen with a screen-sized layer of premultiplied pixels (the annotations) blended
  // over it, in (x, y, width, height) of the canvas; the frozen screen alone without a layer.
  void ShowAnnotated(int x, int y, int width, int height, const GxGraphics* layer);
  // The layer of ShowAnnotated changed within `rect` (canvas pixels).
  void AnnotationsChanged(const RECT& rect);
  // The shape under way (a stroke being drawn) over the annotated selection: blended from a
  // surface at (x, y) of the canvas, which then shows it there until the shape changes there
  // (WorkChanged) or something else is drawn there. Call after ShowAnnotated.
  void BlendWork(const GxGraphics& surface, int x, int y);
  // The shape under way changed within `rects` (canvas pixels), or anywhere with nullopt.
  void WorkChanged(const std::optional<std::vector<RECT>>& rects);
  // The part of `area` where the canvas does not show the shape under way as it is.
  Region WorkToDraw(const Region& area) const;
  // Opaque rectangles of one colour (a premultiplied pixel) on the canvas.
  void Fill(const std::vector<RECT>& rects, std::uint32_t colour);
  // A whole surface blended onto the canvas at (x, y).
  void Blend(const GxGraphics& surface, int x, int y, int alpha, bool perPixelAlpha);
  // Pushes the canvas to the overlay window. A push asked for from inside a push (the system
  // sends the overlay messages while it pushes) is left to the next one.
  bool Present();

 private:
  bool Tracking() const;
  RECT Whole() const;
  void BlendRect(const GxGraphics& source, const RECT& onCanvas, POINT offset, int alpha, bool perPixelAlpha);
  void PaintWholeBase();
  // What the canvas is known to show (see CanvasKnowledge in the source).
  void Forget();
  void OweBase();
  void Settle(const Region& area);
  void ShowSelection(const RECT& rect, const GxGraphics* layer);
  void BlendSurface(const GxGraphics& source, const RECT& rect, int alpha, bool perPixelAlpha);
  void BlendWhole(const GxGraphics& source, const RECT& rect, POINT offset, int alpha, bool perPixelAlpha);
  void Drawn(const Region& area);
  Region Clipped(const RECT& rect) const;
  RECT TakeChanges();

  LayeredCanvas& canvas_;
  GxGraphics& frozen_;
  GxGraphics& dim_;

  // The knowledge holds for pixels that nothing has blended over since; in RedrawMode::Full
  // nothing is known.
  bool active_ = false;
  RECT whole_{};
  Region base_;       // shows the frozen screen under the dimming layer
  Region showsFrozen_;  // shows the frozen screen as it is
  Region annotated_;  // shows the frozen screen with the annotation layer over it
  Region worked_;     // shows that with the shape under way over it
  Region owed_;       // the base was asked for here and not yet painted
  PushedPixels pushed_;
  bool pushAll_ = false;  // drawn the plain way since the last push
  bool visibleAtPush_ = false;
};

// The parts of a width × height surface worth making, drawing and blending when nothing is drawn
// on it beyond `margin` pixels from its edges (its inside stays zero bytes, which blend to
// nothing): the four edge strips, disjoint; or the whole surface, in RedrawMode::Full or when
// the strips would cover it anyway.
std::vector<RECT> EdgeParts(int width, int height, int margin);
