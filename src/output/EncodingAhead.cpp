#include "output/EncodingAhead.h"

#include <objbase.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "gx/GxBitmap.h"
#include "gx/UniqueHandle.h"
#include "output/EncodeForFile.h"

namespace {

// The encoders are COM objects underneath; a thread must join COM before it may use them.
struct ComThreadTraits {
  using Handle = bool;
  static Handle Empty() { return false; }
  static void Close(Handle) { CoUninitialize(); }
};
using ComThread = UniqueHandle<ComThreadTraits>;

}  // namespace

// Shared by the overlay's thread and the encoding thread, which outlives the owner when dropped.
struct EncodingAhead::Work {
  std::string format;
  std::mutex lock;
  std::condition_variable finished;
  bool done = false;
  Bytes bytes;
};

EncodingAhead::EncodingAhead() : EncodingAhead(EncodeCropForFile) {}

EncodingAhead::EncodingAhead(Encoder encoder) : encoder_(std::move(encoder)) {}

EncodingAhead::~EncodingAhead() { Drop(); }

void EncodingAhead::Start(std::unique_ptr<GxBitmap> crop, std::string formatGuidText) {
  Drop();
  auto work = std::make_shared<Work>();
  work->format = std::move(formatGuidText);
  std::shared_ptr<GxBitmap> pixels(std::move(crop));
  try {
    std::thread([work, pixels, encoder = encoder_]() {
      Bytes bytes;
      // Nothing may leave a thread's body: an exception there would end the process.
      try {
        ComThread com(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        std::string format = work->format;
        bytes = encoder(*pixels, format);
      } catch (...) {
        bytes.clear();
      }
      std::lock_guard<std::mutex> hold(work->lock);
      work->bytes = std::move(bytes);
      work->done = true;
      work->finished.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return;  // no thread to be had: the save encodes when it writes
  }
  work_ = std::move(work);
}

std::optional<Bytes> EncodingAhead::Take(const std::string& formatGuidText) {
  const std::shared_ptr<Work> work = std::exchange(work_, nullptr);
  if (!work || work->format != formatGuidText) return std::nullopt;
  std::unique_lock<std::mutex> hold(work->lock);
  work->finished.wait(hold, [&] { return work->done; });
  if (work->bytes.empty()) return std::nullopt;
  return std::move(work->bytes);
}

void EncodingAhead::Drop() { work_.reset(); }
