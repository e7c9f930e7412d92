#include "gx/RegionData.h"

#include <cstring>

#include "gx/GxCallGuards.h"
#include "gx/PathTypes.h"

namespace {

constexpr std::uint32_t kRectangle = 0x10000000;
constexpr std::uint32_t kPath = 0x10000001;
constexpr std::uint32_t kEmpty = 0x10000002;
constexpr std::uint32_t kInfinite = 0x10000003;
constexpr std::uint32_t kIntegerPoints = 0x4000;  // points as two 16-bit integers

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t length) : data_(data), left_(length) {}
  bool Take(std::size_t bytes, const std::uint8_t*& at) {
    if (bytes > left_) return false;
    at = data_;
    data_ += bytes;
    left_ -= bytes;
    return true;
  }
  bool Word(std::uint32_t& value) {
    const std::uint8_t* at = nullptr;
    if (!Take(4, at)) return false;
    std::memcpy(&value, at, 4);
    return true;
  }
  bool Floats(std::size_t count) {  // coordinates GDI+ can hold
    const std::uint8_t* at = nullptr;
    if (!Take(count * 4, at)) return false;
    for (std::size_t i = 0; i < count; ++i) {
      float value = 0;
      std::memcpy(&value, at + i * 4, 4);
      if (!CoordinateFits(value)) return false;
    }
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t left_;
};

bool MagicValid(std::uint32_t magic) { return (magic & 0xFFFFF000u) == 0xDBC01000u; }

// A path leaf: its size, then a header (magic, point count, flags), the points and their types,
// padded to four bytes, filling that size exactly. A path of no points, which covers nothing, is
// refused too rather than trusted to a reader that has never been seen to take one.
bool PathReadable(Reader& reader) {
  std::uint32_t size = 0, magic = 0, count = 0, flags = 0;
  if (!reader.Word(size) || !reader.Word(magic) || !reader.Word(count) || !reader.Word(flags)) return false;
  if (!MagicValid(magic) || count == 0 || (flags & ~kIntegerPoints) != 0) return false;
  const std::uint64_t pointBytes = std::uint64_t{count} * ((flags & kIntegerPoints) ? 4 : 8);
  const std::uint64_t typeBytes = (std::uint64_t{count} + 3) / 4 * 4;
  if (size != 12 + pointBytes + typeBytes) return false;  // so each part fits in a size_t too
  const std::uint8_t* types = nullptr;
  if (flags & kIntegerPoints) {
    if (!reader.Take(static_cast<std::size_t>(pointBytes), types)) return false;  // 16-bit points always fit
  } else if (!reader.Floats(count * std::size_t{2})) {
    return false;
  }
  return reader.Take(static_cast<std::size_t>(typeBytes), types) && PathTypesValid(types, count);
}

}  // namespace

bool RegionDataReadable(const std::uint8_t* data, std::size_t length) {
  if (!data) return false;
  Reader reader(data, length);
  std::uint32_t size = 0, checksum = 0, magic = 0, children = 0;
  if (!reader.Word(size) || !reader.Word(checksum) || !reader.Word(magic) || !reader.Word(children)) return false;
  if (!MagicValid(magic)) return false;
  // The tree in prefix order, without recursion: a combine node stands for two nodes to come.
  for (std::size_t pending = 1; pending > 0; --pending) {
    std::uint32_t type = 0;
    if (!reader.Word(type)) return false;
    if (type >= 1 && type <= 5) {
      pending += 2;
    } else if (type == kRectangle) {
      if (!reader.Floats(4)) return false;
    } else if (type == kPath) {
      if (!PathReadable(reader)) return false;
    } else if (type != kEmpty && type != kInfinite) {
      return false;
    }
  }
  return true;
}
