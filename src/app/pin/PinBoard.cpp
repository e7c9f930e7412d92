#include "app/pin/PinBoard.h"

#include <algorithm>

#include "app/pin/PinWindow.h"

PinBoard::PinBoard() = default;
PinBoard::~PinBoard() { CloseAll(); }

PinWindow* PinBoard::Pin(std::unique_ptr<GxGraphics> image, POINT place) {
  auto pin = std::make_unique<PinWindow>(std::move(image), place, [this](const PinWindow& gone) { Forget(gone); });
  if (!pin->Window()) return nullptr;
  pins_.push_back(std::move(pin));
  return pins_.back().get();
}

void PinBoard::CloseAll() {
  // Taken out first: a pin's window going away must find the list in a settled state.
  std::vector<std::unique_ptr<PinWindow>> closing = std::move(pins_);
  pins_.clear();
  closing.clear();
}

void PinBoard::Forget(const PinWindow& gone) {
  const auto found = std::find_if(pins_.begin(), pins_.end(),
                                  [&gone](const std::unique_ptr<PinWindow>& pin) { return pin.get() == &gone; });
  if (found != pins_.end()) pins_.erase(found);
}

namespace {

void ShowPinFailure(HWND owner) {
  MessageBoxW(owner, L"无法生成贴图的图像（内存可能不足）。\r\n\r\n截图仍然打开，可以再试一次或保存。", L"贴图失败",
              MB_OK | MB_ICONWARNING);
}

}  // namespace

std::function<void(HWND)> ReportPinFailure = ShowPinFailure;

PinBoard& Pins() {
  static PinBoard board;
  return board;
}
