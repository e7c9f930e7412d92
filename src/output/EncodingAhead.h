#pragma once
// Once the user has named the file, encoding is most of what a save costs (Wine's PNG encoder
// alone takes some 190 ms for a quarter of a 4K screen). The save dialog opens on PNG and the
// user spends seconds in it, so the selection is encoded as PNG on a thread of its own meanwhile:
// when PNG is what the user chooses, the file is written at once.
//
// Nobody waits for a PNG nobody wants: work that is dropped (another format chosen, the dialog
// dismissed, the capture ended) finishes on its own thread and is thrown away there.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gx/GxTypes.h"

class GxBitmap;

class EncodingAhead {
 public:
  // How the crop is encoded; the checked encoding of a file by default (EncodeCropForFile).
  using Encoder = std::function<Bytes(GxBitmap& crop, std::string& formatGuidText)>;

  EncodingAhead();
  explicit EncodingAhead(Encoder encoder);
  // Drops the work under way, without waiting for it.
  ~EncodingAhead();
  EncodingAhead(const EncodingAhead&) = delete;
  EncodingAhead& operator=(const EncodingAhead&) = delete;

  // Encodes `crop`, which is the other thread's alone from here on, in the format named by the
  // GUID text on a thread of its own; what was under way before is dropped.
  void Start(std::unique_ptr<GxBitmap> crop, std::string formatGuidText);
  // The bytes when `formatGuidText` is the format under way (waiting for them, as the user wants
  // them now); nothing for another format, when nothing is under way, or when encoding failed.
  // Either way the work is over afterwards.
  std::optional<Bytes> Take(const std::string& formatGuidText);
  void Drop();

 private:
  struct Work;
  Encoder encoder_;
  std::shared_ptr<Work> work_;
};
