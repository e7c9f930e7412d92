#include "app/pin/PinWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/pin/PinMenu.h"
#include "gx/GxBitmap.h"
#include "gx/GxImageAttributes.h"
#include "output/OutputImage.h"
#include "output/SaveCapture.h"

namespace {

constexpr wchar_t kClassName[] = L"ScreenCutPin";
constexpr std::uint32_t kBorderColour = 0xFF00AEFF;  // the blue that frames a selection
constexpr std::uint32_t kOpaque = 0xFF000000u;

bool RegisterPinClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;  // a double click closes a pin
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32646));  // IDC_SIZEALL
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

// Where a mouse message happened on the screen. Read when the message is handled, while the
// window is still where it was when the message was made.
POINT ScreenPoint(HWND window, LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(window, &at);
  return at;
}

}  // namespace

PinWindow::PinWindow(std::unique_ptr<GxGraphics> image, POINT place, std::function<void(const PinWindow&)> closed)
    : image_(std::move(image)), closed_(std::move(closed)), origin_{static_cast<double>(place.x), static_cast<double>(place.y)} {
  if (!image_ || !RegisterPinClass(&PinWindow::Procedure)) return;
  window_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"贴图", WS_POPUP, place.x - kBorder,
                                place.y - kBorder, image_->GetSurfaceWidth() + 2 * kBorder,
                                image_->GetSurfaceHeight() + 2 * kBorder, nullptr, nullptr, GetModuleHandleW(nullptr),
                                this));
  if (!window_) return;
  canvas_.Attach(window_.get(), LayeredCanvas::FirstPush::WithFirstPresent);
  Present();
  ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

void PinWindow::Activate() {
  SetForegroundWindow(window_.get());
  SetFocus(window_.get());
}

PinWindow::~PinWindow() {
  if (!window_) return;
  // Destroyed by its owner, not by the user: nobody is to be told.
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  canvas_.Detach(LayeredCanvas::Restore::Nothing);
  window_.reset();
}

ScreenRect PinWindow::ImagePlace() const {
  const POINT at = origin_.Rounded();
  return ScreenRect{at.x, at.y, at.x + ShownLength(image_->GetSurfaceWidth(), zoom_),
                    at.y + ShownLength(image_->GetSurfaceHeight(), zoom_)};
}

OutputSource PinWindow::Source() const {
  return OutputSource{*image_, nullptr, ScreenRect{0, 0, image_->GetSurfaceWidth(), image_->GetSurfaceHeight()}};
}

void PinWindow::ZoomBy(int notches, POINT anchor) {
  const int zoom = SteppedZoom(zoom_, notches, image_->GetSurfaceWidth(), image_->GetSurfaceHeight());
  if (zoom == zoom_) return;
  origin_ = ZoomedOrigin(origin_, anchor, zoom_, zoom);
  zoom_ = zoom;
  Present();
}

void PinWindow::ChangeOpacity(int notches) {
  const int opacity = SteppedOpacity(opacity_, notches);
  if (opacity == opacity_) return;
  opacity_ = opacity;
  Present();
}

void PinWindow::ResetZoom() {
  // Back to 100 % around the image's centre, where the eye is.
  const ScreenRect place = ImagePlace();
  const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  if (zoom_ == 100) return;
  origin_ = ZoomedOrigin(origin_, centre, zoom_, 100);
  zoom_ = 100;
  Present();
}

ClipboardResult PinWindow::Copy() {
  const ClipboardResult result = CopySelectionToClipboard(window_.get(), Source());
  if (result != ClipboardResult::Copied) ReportClipboardFailure(window_.get(), ClipboardFailureReason(result));
  return result;
}

void PinWindow::Save() {
  ++busy_;
  // The pin outlives the dialog: a close asked for meanwhile waits for it (see Close).
  SaveSelection(window_.get(), Source(), encodingAhead_, [] { return true; });
  --busy_;
  CloseIfAsked();
}

void PinWindow::Close() {
  if (window_) PostMessageW(window_.get(), WM_CLOSE, 0, 0);
}

void PinWindow::Present() {
  const ScreenRect place = ImagePlace();
  const int width = place.Width() + 2 * kBorder;
  const int height = place.Height() + 2 * kBorder;
  SetWindowPos(window_.get(), nullptr, place.left - kBorder, place.top - kBorder, width, height,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOREDRAW);
  if (canvas_.GetSurfaceWidth() != width || canvas_.GetSurfaceHeight() != height) canvas_.ResizeSurface(width, height);
  const SurfaceBits bits = canvas_.GetSurfaceBits();
  if (!bits.bits) return;
  for (int y = 0; y < height; ++y) std::fill(bits.Row(y), bits.Row(y) + width, kBorderColour);
  PaintImage(place.Width(), place.Height());
  canvas_.SetCanvasAlpha((opacity_ * 255 + 50) / 100);
  canvas_.Present();
}

void PinWindow::PaintImage(int width, int height) {
  const SurfaceBits to = canvas_.GetSurfaceBits();
  const SurfaceBits from = image_->GetSurfaceBits();
  if (width == from.width && height == from.height) {
    // 100 %: the captured pixels themselves, not a resampling of them.
    for (int y = 0; y < height; ++y)
      std::memcpy(to.Row(y + kBorder) + kBorder, from.Row(y), static_cast<std::size_t>(width) * 4);
    return;
  }
  GxBitmap source;
  const int stride = from.bottomUp ? -from.stride : from.stride;
  if (!source.CreateFromScan0(from.width, from.height, stride, PixelFormat32bppRGB, from.Row(0))) return;
  GxGraphics target;
  if (!target.CreateFromHDC(canvas_.GetSurfaceDC())) return;
  target.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  target.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  target.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  // Mirrored edges: resampling at the image's rim reads image, not the transparent outside.
  GxImageAttributes edges;
  edges.Create();
  edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  target.DrawImageRectRectI(source, kBorder, kBorder, width, height, 0, 0, from.width, from.height, Gdiplus::UnitPixel,
                            &edges);
  target.Delete();
  GdiFlush();
  // The image is opaque whatever the drawing did to the fourth byte.
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = to.Row(y + kBorder) + kBorder;
    for (int x = 0; x < width; ++x) row[x] |= kOpaque;
  }
}

LRESULT CALLBACK PinWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* pin = reinterpret_cast<PinWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!pin) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Gone by the user's hand: the window handle is no longer the pin's to destroy, and telling
    // the owner may destroy the pin, so nothing of it is touched afterwards.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    pin->canvas_.Detach(LayeredCanvas::Restore::Nothing);
    pin->window_.release();
    const std::function<void(const PinWindow&)> closed = pin->closed_;
    if (closed) closed(*pin);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_CLOSE) {
    if (pin->busy_ > 0) {
      pin->closeWhenFree_ = true;
      return 0;
    }
    DestroyWindow(window);  // `pin` may be gone from here on
    return 0;
  }
  return pin->Handle(window, message, wParam, lParam);
}

LRESULT PinWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      // The drag holds the mouse, so that a fast move leaving the window still moves it.
      SetCapture(window);
      dragging_ = true;
      dragFrom_ = ScreenPoint(window, lParam);
      dragOrigin_ = origin_;
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) OnDrag(ScreenPoint(window, lParam));
      return 0;
    case WM_LBUTTONUP:
      dragging_ = false;
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: dragging_ = false; return 0;
    case WM_LBUTTONDBLCLK: Close(); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) Close();
      return 0;
    case WM_MOUSEWHEEL: OnWheel(wParam, lParam); return 0;
    case WM_RBUTTONUP: OnMenu(ScreenPoint(window, lParam)); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void PinWindow::OnDrag(POINT now) {
  origin_ = PinOrigin{dragOrigin_.x + now.x - dragFrom_.x, dragOrigin_.y + now.y - dragFrom_.y};
  const ScreenRect place = ImagePlace();
  SetWindowPos(window_.get(), nullptr, place.left - kBorder, place.top - kBorder, 0, 0,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}

void PinWindow::OnWheel(WPARAM wParam, LPARAM lParam) {
  wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
  const int notches = wheelRest_ / WHEEL_DELTA;
  wheelRest_ %= WHEEL_DELTA;
  if (notches == 0) return;
  if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
    ChangeOpacity(notches);
    return;
  }
  ZoomBy(notches, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

void PinWindow::OnMenu(POINT at) {
  ++busy_;
  const PinAction action = ChoosePinAction(window_.get(), at);
  --busy_;
  switch (action) {
    case PinAction::Copy: Copy(); break;
    case PinAction::Save: Save(); break;
    case PinAction::ResetZoom: ResetZoom(); break;
    case PinAction::Close: Close(); break;
    case PinAction::None: break;
  }
  CloseIfAsked();
}

void PinWindow::CloseIfAsked() {
  if (!closeWhenFree_ || busy_ > 0) return;
  closeWhenFree_ = false;
  Close();
}
