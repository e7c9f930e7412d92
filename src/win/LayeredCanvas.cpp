#include "win/LayeredCanvas.h"

namespace {

PushTally tally;

double NowMs() {
  LARGE_INTEGER now{}, frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

RECT WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

}  // namespace

PushTally PushesSoFar() { return tally; }

LayeredCanvas::~LayeredCanvas() { Detach(); }

bool LayeredCanvas::Push(HDC source, int alpha, const RECT* dirty) const {
  const RECT rect = WindowRectOf(window_);
  POINT position{rect.left, rect.top};
  SIZE size{rect.right - rect.left, rect.bottom - rect.top};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha & 0xFF), AC_SRC_ALPHA};
  HDC screen = ::GetDC(window_);
  BOOL pushed = FALSE;
  const double start = NowMs();
  const RECT area = dirty ? *dirty : RECT{0, 0, size.cx, size.cy};
  tally.pixels += static_cast<long long>(area.right - area.left) * (area.bottom - area.top);
  if (dirty) {
    UPDATELAYEREDWINDOWINFO info{sizeof info, screen, &position, &size, source, &origin, 0, &blend, ULW_ALPHA, dirty};
    pushed = UpdateLayeredWindowIndirect(window_, &info);
  } else {
    pushed = UpdateLayeredWindow(window_, screen, &position, &size, source, &origin, 0, &blend, ULW_ALPHA);
  }
  tally.ms += NowMs() - start;
  ReleaseDC(window_, screen);
  return pushed != FALSE;
}

bool LayeredCanvas::Attach(HWND window, FirstPush first) {
  // Nothing to attach to: refusing keeps a present attachment intact and keeps Present and
  // Detach from working on a handle that may later name another window.
  if (!IsWindow(window)) return false;
  if (attached_) Detach();
  attached_ = true;
  window_ = window;
  savedExStyle_ = GetWindowLongW(window, GWL_EXSTYLE);
  SetWindowLongW(window, GWL_EXSTYLE, savedExStyle_ | WS_EX_LAYERED);
  alpha_ = 255;
  const RECT rect = WindowRectOf(window);
  surface_.CreateSurface(rect.right - rect.left, rect.bottom - rect.top);
  if (first == FirstPush::Empty) Push(surface_.GetSurfaceDC(), 255);
  return true;
}

bool LayeredCanvas::Detach(Restore restore) {
  if (!attached_) return false;
  surface_.Delete();
  if (restore == Restore::Nothing) {
    savedExStyle_ = 0;
    attached_ = false;
    window_ = nullptr;
    return true;
  }
  // Going through a plain layered state first drops what UpdateLayeredWindow left behind, so
  // a window that stays layered after the restore is not stuck with the canvas's content.
  SetWindowLongW(window_, GWL_EXSTYLE, GetWindowLongW(window_, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(window_, 0, 0, 0);
  SetWindowLongW(window_, GWL_EXSTYLE, savedExStyle_);
  savedExStyle_ = 0;
  attached_ = false;
  window_ = nullptr;
  return true;
}

bool LayeredCanvas::AlphaBlendFrom(HDC source, OptInt srcX, OptInt srcY, OptInt srcWidth, OptInt srcHeight,
                                   OptInt dstX, OptInt dstY, OptInt dstWidth, OptInt dstHeight, OptInt alpha,
                                   OptInt perPixelAlpha) {
  if (!attached_) return false;
  const int width = surface_.GetSurfaceWidth();
  const int height = surface_.GetSurfaceHeight();
  return surface_.AlphaBlendFrom(source, srcX.value_or(0), srcY.value_or(0), srcWidth.value_or(width),
                                 srcHeight.value_or(height), dstX.value_or(0), dstY.value_or(0),
                                 dstWidth.value_or(width), dstHeight.value_or(height), alpha.value_or(255),
                                 perPixelAlpha.value_or(0));
}

bool LayeredCanvas::Present() {
  if (!attached_) return false;
  return Push(surface_.GetSurfaceDC(), alpha_);
}

bool LayeredCanvas::PresentDirty(const RECT& dirty) {
  if (!attached_) return false;
  return Push(surface_.GetSurfaceDC(), alpha_, &dirty);
}

bool LayeredCanvas::ResizeSurface(int width, int height) {
  if (!attached_) return false;
  surface_.Delete();
  return surface_.CreateSurface(width, height);
}

bool LayeredCanvas::SetCanvasAlpha(int alpha) {
  if (!attached_) return false;
  alpha_ = alpha;
  return true;
}

int LayeredCanvas::GetCanvasAlpha() const { return attached_ ? alpha_ : -1; }

int LayeredCanvas::GetSurfaceWidth() const { return attached_ ? surface_.GetSurfaceWidth() : 0; }

int LayeredCanvas::GetSurfaceHeight() const { return attached_ ? surface_.GetSurfaceHeight() : 0; }

Bytes LayeredCanvas::EncodeSurface(std::string& formatGuidText) {
  if (!attached_) return {};
  return surface_.EncodeSurface(formatGuidText);
}

bool LayeredCanvas::ClearToBlack() {
  if (!attached_) return false;
  return surface_.ClearToBlack(PS_SOLID);
}

bool LayeredCanvas::ClearRect(int x, int y, int width, int height) {
  if (!attached_) return false;
  return surface_.ClearRect(x, y, width, height);
}
