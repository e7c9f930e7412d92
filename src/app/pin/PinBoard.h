#pragma once
// Every pinned capture of the process. Pins live on after the capture that made them and close
// one by one; closing the last leaves nothing of them behind.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class GxGraphics;
class PinWindow;

class PinBoard {
 public:
  PinBoard();
  ~PinBoard();
  PinBoard(const PinBoard&) = delete;
  PinBoard& operator=(const PinBoard&) = delete;

  // Pins `image` with its top-left at `place` (see PinWindow); null when no window could be made.
  PinWindow* Pin(std::unique_ptr<GxGraphics> image, POINT place);
  std::size_t Count() const { return pins_.size(); }
  // The pins, oldest first.
  PinWindow& At(std::size_t index) const { return *pins_.at(index); }
  void CloseAll();

 private:
  void Forget(const PinWindow& pin);

  std::vector<std::unique_ptr<PinWindow>> pins_;
};

// The process's pins.
PinBoard& Pins();

// Tells the user that the selection could not be pinned (a message box; tests replace it).
extern std::function<void(HWND owner)> ReportPinFailure;
