#include "Scenario.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

#include "MemoryMonitor.h"
#include "SaveDialogDriver.h"
#include "SyntheticScreen.h"
#include "app/capture/CaptureSession.h"
#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/desktop/Monitors.h"
#include "app/desktop/ScreenGrab.h"
#include "gx/GxGraphics.h"
#include "app/input/Commands.h"

namespace {

CaptureSession& Session() { return *CurrentSession(); }

void Warn(const char* what) { std::fprintf(stderr, "bench: %s\n", what); }

class Driver {
 public:
  explicit Driver(const ScenarioOptions& options)
      : options_(options), width_(ScreenWidth()), height_(ScreenHeight()) {}

  BenchResults Run();

 private:
  HWND Overlay() const { return TheOverlay().Handle(); }
  const CaptureState& State() const { return Session().state; }
  Samples& Row(const char* key, const char* label);
  double Send(UINT message, int x, int y, WPARAM wParam = 0);
  // A move's time, with its own time and pushed area from the last message sent.
  void AddMove(Samples& row, double ms);
  double MoveTo(int x, int y) { return Send(WM_MOUSEMOVE, x, y); }
  void Open();
  void Close();
  void Select();

  void TimeOpen();
  void TimeLooking();
  void TimeDrawing();
  void TimeResizing();
  void TimeMoving();
  void TimeToolbarHover();
  void TimeMenuHover();
  void Key(WPARAM key);
  void TimeAnnotating();
  void TimeFloor();
  void TimeFinish();
  void TimeFinishSmall();
  void TimeSave();

  const ScenarioOptions& options_;
  const int width_, height_;
  PushTally lastPush_;  // what the last message sent pushed
  BenchResults results_;
  MemoryMonitor memory_;
};

Samples& Driver::Row(const char* key, const char* label) {
  for (Step& step : results_.steps)
    if (step.key == key) return step.ms;
  results_.steps.push_back(Step{key, label, {}, {}, {}});
  return results_.steps.back().ms;
}

void Driver::AddMove(Samples& row, double ms) {
  row.Add(ms);
  for (Step& step : results_.steps) {
    if (&step.ms != &row) continue;
    step.ownMs.Add(ms - lastPush_.ms);
    step.pushedPixels.Add(static_cast<double>(lastPush_.pixels));
  }
}

// (x, y) on the canvas, which starts at the virtual screen's top-left corner; the cursor is kept
// in screen coordinates.
double Driver::Send(UINT message, int x, int y, WPARAM wParam) {
  OverrideCursorPosition(MeasureDesktop().ToScreen(POINT{x, y}));
  if (!Overlay()) return 0;
  HWND overlay = Overlay();
  const PushTally before = PushesSoFar();
  const double ms = TimeMs([&] { SendMessageA(overlay, message, wParam, MAKELPARAM(x, y)); });
  const PushTally after = PushesSoFar();
  lastPush_ = PushTally{after.ms - before.ms, after.pixels - before.pixels};
  return ms;
}

void Driver::Open() {
  OverrideCursorPosition(MeasureDesktop().ToScreen(POINT{width_ / 2, height_ / 2}));
  if (!TheOverlay().Load(false)) Warn("the overlay did not open");
}

void Driver::Close() {
  if (Overlay()) SendMessageA(Overlay(), WM_KEYDOWN, VK_ESCAPE, 0);
}

// The selection every later step works on: a fifth to three fifths of the screen.
void Driver::Select() {
  const int x1 = width_ / 5, y1 = height_ / 5, x2 = width_ * 3 / 5, y2 = height_ * 3 / 5;
  MoveTo(x1, y1);
  Send(WM_LBUTTONDOWN, x1, y1, MK_LBUTTON);
  MoveTo(x2, y2);
  Send(WM_LBUTTONUP, x2, y2);
  if (!State().SelectionMade()) Warn("no selection was made");
}

void Driver::TimeOpen() {
  Samples& open = Row("open", "open (press to first frame)");
  for (int i = 0; i < options_.repeats; ++i) {
    open.Add(TimeMs([&] { Open(); }));
    Close();
  }
}

void Driver::TimeLooking() {
  Samples& looking = Row("look", "move: looking (magnifier)");
  for (int i = 0; i < options_.moves; ++i) AddMove(looking, MoveTo(width_ / 10 + i * 13, height_ / 10 + i * 7));
}

void Driver::TimeDrawing() {
  Samples& drawing = Row("draw", "move: drawing");
  const int x1 = width_ / 5, y1 = height_ / 5, x2 = width_ * 3 / 5, y2 = height_ * 3 / 5;
  MoveTo(x1, y1);
  Send(WM_LBUTTONDOWN, x1, y1, MK_LBUTTON);
  for (int i = 1; i <= options_.moves; ++i)
    AddMove(drawing, MoveTo(x1 + (x2 - x1) * i / options_.moves, y1 + (y2 - y1) * i / options_.moves));
  Send(WM_LBUTTONUP, x2, y2);
  if (!State().SelectionMade()) Warn("drawing made no selection");
}

void Driver::TimeResizing() {
  Samples& resizing = Row("resize", "move: resizing (corner)");
  const ScreenRect s = State().SelectionRect;
  MoveTo(s.right, s.bottom);
  Send(WM_LBUTTONDOWN, s.right, s.bottom, MK_LBUTTON);
  if (State().DragMode() != CaptureMode::Adjust) Warn("the press missed the corner handle");
  for (int i = 1; i <= options_.moves; ++i) AddMove(resizing, MoveTo(s.right + i * 6, s.bottom + i * 4));
  Send(WM_LBUTTONUP, s.right + options_.moves * 6, s.bottom + options_.moves * 4);
}

void Driver::TimeMoving() {
  Samples& moving = Row("move", "move: moving the selection");
  const ScreenRect s = State().SelectionRect;
  const int x = (s.left + s.right) / 2, y = (s.top + s.bottom) / 2;
  MoveTo(x, y);
  Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  if (State().DragMode() != CaptureMode::Drag) Warn("the press missed the inside of the selection");
  for (int i = 1; i <= options_.moves; ++i) AddMove(moving, MoveTo(x - i * 9, y - i * 5));
  Send(WM_LBUTTONUP, x - options_.moves * 9, y - options_.moves * 5);
}

void Driver::TimeToolbarHover() {
  Samples& hovering = Row("toolbar", "move: hovering the toolbar");
  const ScreenRect toolbar = State().ToolbarRect;
  if (toolbar.right == 0) Warn("no toolbar is shown");
  for (int i = 0; i < options_.moves; ++i) AddMove(hovering, MoveTo(toolbar.left + 2 + (i * 11) % 322, toolbar.top + 12));
}

void Driver::TimeMenuHover() {
  Samples& hovering = Row("menu", "move: menu open");
  const ScreenRect s = State().SelectionRect;
  const int x = (s.left + s.right) / 2, y = (s.top + s.bottom) / 2;
  MoveTo(x, y);
  Send(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
  Send(WM_RBUTTONUP, x, y);
  if (!State().MenuShown()) Warn("the menu did not open");
  const ScreenRect menu = State().MenuRect;
  const int rows = menu.Height() - 7;  // dy 3 to the last row
  for (int i = 0; i < options_.moves; ++i) AddMove(hovering, MoveTo(menu.left + 80, menu.top + 3 + (i * 9) % rows));
  // A press off the menu closes it.
  Send(WM_LBUTTONDOWN, menu.right + 40, menu.bottom + 40, MK_LBUTTON);
  Send(WM_LBUTTONUP, menu.right + 40, menu.bottom + 40);
}

void Driver::Key(WPARAM key) {
  if (!Overlay()) return;
  SendMessageA(Overlay(), WM_KEYDOWN, key, 1);
  SendMessageA(Overlay(), WM_KEYUP, key, 0xC0000001);
}

// Drawing inside the selection with an armed tool, over the same stretch as drawing the
// selection: a rectangle from near its top-left corner to near its bottom-right one, a brush
// stroke along the same diagonal, waving across it, then a mosaic and a blur spanned like the
// rectangle (each move redacts a larger area of the picture).
void Driver::TimeAnnotating() {
  const ScreenRect s = State().SelectionRect;
  const int x1 = s.left + (s.right - s.left) / 10, y1 = s.top + (s.bottom - s.top) / 10;
  const int x2 = s.right - (s.right - s.left) / 10, y2 = s.bottom - (s.bottom - s.top) / 10;
  const int moves = options_.moves;
  struct Tool {
    WPARAM armKey;
    ToolKind kind;
    const char *key, *label;
  };
  for (const Tool& tool : {Tool{'R', ToolKind::Rectangle, "annotate-rectangle", "annotate: rectangle"},
                           Tool{'P', ToolKind::Brush, "annotate-brush", "annotate: brush"},
                           Tool{'M', ToolKind::Mosaic, "annotate-mosaic", "annotate: mosaic"},
                           Tool{'B', ToolKind::Blur, "annotate-blur", "annotate: blur"}}) {
    Key(tool.armKey);
    if (Session().annotations.Armed() != tool.kind) Warn("the tool's key armed no such tool");
    const bool wave = tool.kind == ToolKind::Brush;
    Samples& drawing = Row(tool.key, tool.label);
    MoveTo(x1, y1);
    Send(WM_LBUTTONDOWN, x1, y1, MK_LBUTTON);
    for (int i = 1; i <= moves; ++i) {
      const double t = static_cast<double>(i) / moves;
      const int across = wave ? static_cast<int>((y2 - y1) / 8.0 * std::sin(4 * 3.14159265 * t)) : 0;
      AddMove(drawing, Send(WM_MOUSEMOVE, x1 + static_cast<int>((x2 - x1) * t), y1 + static_cast<int>((y2 - y1) * t) + across,
                       MK_LBUTTON));
    }
    Send(WM_LBUTTONUP, x2, y2);
  }
  if (Session().annotations.Kept().Shapes().size() != 4) Warn("annotating kept not one shape for each tool");
}

// What the platform costs whatever the program does, measured on the open overlay's own canvas:
// a push of the window with a one-pixel dirty rectangle, and one blend over the whole canvas.
// Last before closing: the blend leaves the canvas showing the frozen screen.
void Driver::TimeFloor() {
  Samples& push = Row("floor-push", "floor: push, one-pixel dirty rectangle");
  LayeredCanvas& canvas = Session().OverlayCanvas;
  for (int i = 0; i < options_.moves; ++i) push.Add(TimeMs([&] { canvas.PresentDirty(RECT{0, 0, 1, 1}); }));
  Samples& blend = Row("floor-blend", "floor: blend of the whole canvas");
  HDC frozen = Session().FrozenLayer.GetSurfaceDC();
  for (int i = 0; i < options_.repeats; ++i)
    blend.Add(TimeMs([&] { canvas.AlphaBlendFrom(frozen, 0, 0, width_, height_, 0, 0, width_, height_, 255, 0); }));
}

void Driver::TimeFinish() {
  Samples& finishing = Row("finish", "finish (double click to clipboard)");
  for (int i = 0; i < options_.repeats; ++i) {
    Open();
    Select();
    const ScreenRect s = State().SelectionRect;
    const int x = (s.left + s.right) / 2, y = (s.top + s.bottom) / 2;
    MoveTo(x, y);
    if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
    finishing.Add(Send(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON));
    if (!IsClipboardFormatAvailable(CF_BITMAP)) Warn("finishing left no bitmap on the clipboard");
    if (Overlay()) Warn("finishing left the overlay open");
  }
}

// Finishing a selection of the same size on every screen: what finishing costs beyond the
// selection's own pixels.
void Driver::TimeFinishSmall() {
  Samples& finishing = Row("finish-400x300", "finish, 400 x 300 selection");
  const int x1 = width_ / 2 - 200, y1 = height_ / 2 - 150, x2 = x1 + 400, y2 = y1 + 300;
  for (int i = 0; i < options_.repeats; ++i) {
    Open();
    MoveTo(x1, y1);
    Send(WM_LBUTTONDOWN, x1, y1, MK_LBUTTON);
    MoveTo(x2, y2);
    Send(WM_LBUTTONUP, x2, y2);
    MoveTo(x1 + 200, y1 + 150);
    if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
    finishing.Add(Send(WM_LBUTTONDBLCLK, x1 + 200, y1 + 150, MK_LBUTTON));
    if (!IsClipboardFormatAvailable(CF_BITMAP)) Warn("finishing 400 x 300 left no bitmap on the clipboard");
  }
}

void Driver::TimeSave() {
  Samples& saving = Row("save", "save (dialog button to file written)");
  for (int i = 0; i < options_.repeats; ++i) {
    Open();
    Select();
    const ScreenRect toolbar = State().ToolbarRect;
    const int x = toolbar.left + 180, y = toolbar.top + 12;  // the save button
    // Along the way: a hit test at the very point where the last capture's ended is skipped.
    MoveTo(x - 3, y);
    MoveTo(x, y);
    const std::string path = options_.saveDir + "shot" + std::to_string(i);
    SaveDialogDriver dialog(path);
    Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    const double done = NowMs();
    const double pressed = dialog.Finish();
    if (pressed < 0 || GetFileAttributesA((path + ".png").c_str()) == INVALID_FILE_ATTRIBUTES) {
      Warn("saving wrote no file");
      Close();
      continue;
    }
    saving.Add(done - pressed);
    DeleteFileA((path + ".png").c_str());
  }
}

BenchResults Driver::Run() {
  // The peak so far after each phase, so a growth in memory can be traced to the step that
  // made it.
  const auto phase = [this](const char* name, void (Driver::*step)()) {
    (this->*step)();
    std::fprintf(stderr, "bench: peak private memory after %s: %.1f MB\n", name, memory_.PeakMb());
  };
  phase("opening", &Driver::TimeOpen);
  Open();
  phase("looking", &Driver::TimeLooking);
  phase("drawing", &Driver::TimeDrawing);
  phase("resizing", &Driver::TimeResizing);
  phase("moving", &Driver::TimeMoving);
  phase("toolbar hover", &Driver::TimeToolbarHover);
  phase("menu hover", &Driver::TimeMenuHover);
  phase("annotating", &Driver::TimeAnnotating);
  phase("floor", &Driver::TimeFloor);
  Close();
  phase("finish", &Driver::TimeFinish);
  phase("finish 400 x 300", &Driver::TimeFinishSmall);
  phase("save", &Driver::TimeSave);
  OverrideCursorPosition(std::nullopt);
  results_.peakPrivateMb = memory_.PeakMb();
  return results_;
}

}  // namespace

BenchResults RunScenario(const ScenarioOptions& options) {
  FreezeSyntheticScreen();
  Driver driver(options);
  return driver.Run();
}
