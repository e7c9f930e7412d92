#include "gx/GxImageRecords.h"

#include <algorithm>

namespace {
constexpr std::size_t kHeaderWords = 2;  // Flags, Count
}

NativePalette::NativePalette(std::size_t count) : words_(kHeaderWords + count, 0) {
  words_[1] = static_cast<std::uint32_t>(count);
}

NativePalette::NativePalette(const GxPalette& palette) : NativePalette(palette.entries.size()) {
  words_[0] = palette.flags;
  std::copy(palette.entries.begin(), palette.entries.end(), words_.begin() + kHeaderWords);
}

GxPalette NativePalette::ToPalette() const {
  GxPalette palette;
  palette.flags = words_[0];
  const std::size_t count = std::min<std::size_t>(words_[1], words_.size() - kHeaderWords);
  palette.entries.assign(words_.begin() + kHeaderWords, words_.begin() + kHeaderWords + count);
  return palette;
}

GxPropertyItem ToPropertyItem(const Gdiplus::PropertyItem& native) {
  GxPropertyItem item;
  item.id = static_cast<std::int32_t>(native.id);
  item.length = static_cast<std::int32_t>(native.length);
  item.type = static_cast<std::int16_t>(native.type);
  if (native.value && native.length > 0) {
    const auto* first = static_cast<const std::uint8_t*>(native.value);
    item.value.assign(first, first + native.length);
  }
  return item;
}
