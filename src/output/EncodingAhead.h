#pragma once
// Once the user has named the file, encoding is most of what a save costs (Wine's PNG encoder
// alone takes some 190 ms for a quarter of a 4K screen). The save dialog opens on PNG and the
// user spends seconds in it, so the selection is encoded as PNG on a thread of its own meanwhile:
// when PNG is what the user chooses, the file is written at once.

#include <future>
#include <optional>
#include <string>

#include "app/CaptureState.h"
#include "gx/GxTypes.h"

class EncodingAhead {
 public:
  // Takes the selection's pixels now, on this thread, and encodes them on another.
  EncodingAhead(const ScreenRect& selection, std::string formatGuidText);
  // Waits for that thread: nothing it does may outlive the save.
  ~EncodingAhead();
  EncodingAhead(const EncodingAhead&) = delete;
  EncodingAhead& operator=(const EncodingAhead&) = delete;

  // The checked bytes (as EncodeForFile gives them) when `formatGuidText` is the format encoded
  // ahead; nothing for another format, or when encoding ahead failed: the caller encodes then.
  std::optional<Bytes> Take(const std::string& formatGuidText);

 private:
  std::string format_;
  std::future<Bytes> bytes_;
};
