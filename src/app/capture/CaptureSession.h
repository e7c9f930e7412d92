#pragma once
// One capture, one object: everything that lives exactly as long as one capture, made when the
// overlay opens and destroyed when it closes. Its members are declared in the order they are
// built, so they are released in the reverse order: the window procedure goes back first, the
// frozen screen last. Ending a capture is destroying its session; nothing is reset by hand.
//
// What lives as long as the process (GDI+, the main window, the overlay form, the chosen style,
// the hot key) stays outside.

#include <windows.h>

#include <functional>
#include <optional>
#include <stdexcept>

#include "app/canvas/CaptureImages.h"
#include "app/canvas/FrameDamage.h"
#include "app/capture/AnnotationSession.h"
#include "app/capture/CaptureState.h"
#include "app/desktop/Monitors.h"
#include "app/desktop/WindowList.h"
#include "gx/GxGraphics.h"
#include "output/EncodingAhead.h"
#include "win/LayeredCanvas.h"
#include "win/Tooltips.h"
#include "win/WindowSubclass.h"

class Form;

// The overlay's canvas for the life of a capture. Its window is closed right after, so it needs
// neither its style back nor what the last push left on it.
class AttachedCanvas : public LayeredCanvas {
 public:
  ~AttachedCanvas() { Detach(Restore::Nothing); }
};

// A capture that cannot open for want of memory: the screen copy or a layer of the screen's size
// could not be made (an 8K desktop in a crowded 32-bit process, say). Its text is for the user.
class CaptureOutOfMemory : public std::runtime_error {
 public:
  CaptureOutOfMemory(int width, int height);
};

class CaptureSession {
 public:
  // Opens a capture on the overlay while it is still hidden: measures the monitors, copies the
  // virtual screen (black where no monitor shows it), notes the windows on it, makes the overlay
  // a topmost window over it, attaches the canvas with the dimmed screen on it, and routes the
  // overlay's messages to `procedure`. Throws CaptureOutOfMemory when a layer of the virtual
  // screen's size cannot be made.
  CaptureSession(Form& overlay, WNDPROC procedure);
  CaptureSession(const CaptureSession&) = delete;
  CaptureSession& operator=(const CaptureSession&) = delete;

  HWND Window() const;
  // The overlay's pointer shape.
  void SetPointer(HCURSOR pointer);
  // Where the cursor is (CursorPosition), on the canvas and off the gaps between monitors.
  POINT CursorOnCanvas() const;

  Form& overlay;
  // The monitors as they were at the opening. Everything below works in canvas coordinates
  // (the overlay's client area: the virtual screen's top-left corner is (0, 0)).
  const DesktopLayout desktop;
  const std::vector<ScreenRect> monitors;  // on the canvas
  GxGraphics FrozenLayer;  // the virtual screen at 1:1, copied when the overlay opened
  WindowList windows;      // the windows a click can pick, as they were at the opening
  AttachedCanvas OverlayCanvas;
  // Opaque black, blended at half strength over the frozen layer by the plain full redraw only
  // (RedrawMode::Full); the program's redraw computes the same bytes without it.
  GxGraphics DimLayer;
  FrameCanvas frame;
  CaptureImages images;
  AnnotationSession annotations;
  CaptureState state;
  Tooltips tips;  // the toolbar buttons' names and keys
  EncodingAhead encodingAhead;  // the save's PNG, made while the dialog is open
  WindowSubclass subclass;
};

// The capture that is open, if any.
CaptureSession* CurrentSession();
bool CaptureOpen();

// Makes the session of a capture opening on `overlay` (see the constructor). `ended` runs after
// every ending, once the overlay has closed: it gives the user back the window they came from.
void BeginCapture(Form& overlay, WNDPROC procedure, std::function<void()> ended);
// Ends the open capture: its session is destroyed, then the overlay closes and `ended` runs.
// Does nothing when no capture is open.
void EndCapture();

// The selection the last capture of this run ended with, however it ended; none before the
// first selection.
std::optional<ScreenRect> LastSelection();
