#include <algorithm>

#include "annotate/PixelBlock.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// Running sums of the three colour bytes of a window of pixels.
struct Sums {
  std::uint32_t red = 0, green = 0, blue = 0;

  void Add(std::uint32_t p) { red += (p >> 16) & 0xFF, green += (p >> 8) & 0xFF, blue += p & 0xFF; }
  void Remove(std::uint32_t p) { red -= (p >> 16) & 0xFF, green -= (p >> 8) & 0xFF, blue -= p & 0xFF; }
};

// The rounded mean of a window's sums, by a multiplication instead of three divisions per pixel:
// with the reciprocal rounded up, the quotient is exact for any sum of bytes of such a window.
class Mean {
 public:
  explicit Mean(int radius)
      : window_(2 * static_cast<std::uint32_t>(radius) + 1), reciprocal_(((1ull << 32) + window_ - 1) / window_) {}
  std::uint32_t operator()(const Sums& sums) const {
    return kOpaque | Of(sums.red) << 16 | Of(sums.green) << 8 | Of(sums.blue);
  }

 private:
  std::uint32_t Of(std::uint32_t sum) const {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(sum + window_ / 2) * reciprocal_) >> 32);
  }
  std::uint32_t window_;
  std::uint64_t reciprocal_;
};

// One box pass along a row, in place; the ends repeat beyond the row.
void RowPass(std::uint32_t* row, int count, int radius, std::vector<std::uint32_t>& original) {
  original.assign(row, row + count);
  const auto at = [&](int i) { return original[static_cast<size_t>(std::clamp(i, 0, count - 1))]; };
  Sums sums;
  for (int i = -radius; i <= radius; ++i) sums.Add(at(i));
  const Mean mean(radius);
  for (int x = 0; x < count; ++x) {
    row[x] = mean(sums);
    sums.Add(at(x + radius + 1));
    sums.Remove(at(x - radius));
  }
}

// One box pass down every column at once, row after row, in place: the memory is read in the
// order it lies, whatever the block's height. The rows still to leave the window are kept as they
// were (a ring of radius + 1 rows); the ends repeat beyond the columns.
class ColumnPass {
 public:
  ColumnPass(int width, int radius)
      : width_(static_cast<size_t>(width)), radius_(radius), ring_(width_ * static_cast<size_t>(radius + 1)),
        sums_(width_) {}

  void Run(PixelBlock& block) {
    const int height = block.Height();
    const auto row = [&](int y) { return block.Row(std::clamp(y, 0, height - 1)); };
    std::fill(sums_.begin(), sums_.end(), Sums{});
    for (int y = -radius_; y <= radius_; ++y)
      for (size_t x = 0; x < width_; ++x) sums_[x].Add(row(y)[x]);
    const Mean mean(radius_);
    for (int y = 0; y < height; ++y) {
      std::uint32_t* to = block.Row(y);
      std::copy_n(to, width_, Kept(y));
      if (y + 1 == height) {
        for (size_t x = 0; x < width_; ++x) to[x] = mean(sums_[x]);
        break;
      }
      const std::uint32_t *entering = row(y + radius_ + 1), *leaving = Kept(std::max(y - radius_, 0));
      for (size_t x = 0; x < width_; ++x) {
        to[x] = mean(sums_[x]);
        sums_[x].Add(entering[x]);
        sums_[x].Remove(leaving[x]);
      }
    }
  }

 private:
  // Row y as it was before this pass, from the time it is overwritten until it leaves the window.
  std::uint32_t* Kept(int y) { return ring_.data() + static_cast<size_t>(y % (radius_ + 1)) * width_; }

  size_t width_;
  int radius_;
  std::vector<std::uint32_t> ring_;
  std::vector<Sums> sums_;
};

}  // namespace

void Blur(PixelBlock& block, int radius) {
  const int width = block.Width(), height = block.Height();
  if (radius < 1 || width <= 0 || height <= 0) return;
  std::vector<std::uint32_t> line;
  for (int pass = 0; pass < kBlurPasses; ++pass)
    for (int y = 0; y < height; ++y) RowPass(block.Row(y), width, radius, line);
  ColumnPass columns(width, radius);
  for (int pass = 0; pass < kBlurPasses; ++pass) columns.Run(block);
}
