#include "SyntheticScreen.h"

#include "app/desktop/ScreenGrab.h"
#include "gx/GxGraphics.h"

// Red runs through 200 values along a row, green through 210 down the columns, blue along a
// diagonal through 190; counted up rather than divided, so painting a 4K screen takes a few ms.
void PaintSyntheticScreen(const SurfaceBits& surface) {
  for (int y = 0; y < surface.height; ++y) {
    std::uint32_t* row = surface.Row(y);
    const std::uint32_t green = 30 + static_cast<std::uint32_t>(y % 210);
    std::uint32_t red = 0, blue = static_cast<std::uint32_t>((y * 5) % 190);
    for (int x = 0; x < surface.width; ++x) {
      row[x] = 0xFF000000u | (40 + red) << 16 | green << 8 | (60 + blue);
      if (++red == 200) red = 0;
      blue += 3;
      if (blue >= 190) blue -= 190;
    }
  }
}

void FreezeSyntheticScreen() {
  ScreenSnapshotSource = [](GxGraphics& frozen) {
    TakeScreenSnapshot(frozen);
    PaintSyntheticScreen(frozen.GetSurfaceBits());
    return true;
  };
}
