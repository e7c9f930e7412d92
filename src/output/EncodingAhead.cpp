#include "output/EncodingAhead.h"

#include <objbase.h>

#include <memory>
#include <utility>

#include "gx/GxBitmap.h"
#include "output/EncodeForFile.h"
#include "output/OutputImage.h"

namespace {

// The encoders are COM objects underneath; a thread must join COM before it may use them.
class ComThread {
 public:
  ComThread() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
  ~ComThread() {
    if (joined_) CoUninitialize();
  }
  ComThread(const ComThread&) = delete;
  ComThread& operator=(const ComThread&) = delete;

 private:
  bool joined_;
};

}  // namespace

EncodingAhead::EncodingAhead(const ScreenRect& selection, std::string formatGuidText)
    : format_(std::move(formatGuidText)) {
  // The crop is the other thread's alone from here on: it shares nothing with the overlay.
  auto crop = std::make_shared<GxBitmap>();
  if (!OutputBitmap(selection, *crop)) return;
  bytes_ = std::async(std::launch::async, [crop, format = format_]() mutable {
    ComThread com;
    return EncodeCropForFile(*crop, format);
  });
}

EncodingAhead::~EncodingAhead() {
  if (bytes_.valid()) bytes_.wait();
}

std::optional<Bytes> EncodingAhead::Take(const std::string& formatGuidText) {
  if (formatGuidText != format_ || !bytes_.valid()) return std::nullopt;
  Bytes bytes = bytes_.get();
  if (bytes.empty()) return std::nullopt;
  return bytes;
}
