#include "app/pin/PinnedImage.h"

#include <cstdint>
#include <cstring>

#include "gx/GxGraphics.h"
#include "gx/UniqueHandle.h"
#include "output/OutputImage.h"

std::unique_ptr<GxGraphics> PinnedImage(const OutputSource& source) {
  GdiObject<HBITMAP> dib(OutputDib(source));
  DIBSECTION section{};
  if (!dib || GetObjectW(dib.get(), sizeof section, &section) != sizeof section || !section.dsBm.bmBits) return nullptr;
  const int width = section.dsBm.bmWidth;
  const int height = section.dsBm.bmHeight;
  const int stride = section.dsBm.bmWidthBytes;
  auto image = std::make_unique<GxGraphics>();
  if (!image->CreateSurface(width, height)) return nullptr;
  const SurfaceBits to = image->GetSurfaceBits();
  const auto* from = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
  // The output's rows come top-down (the system does not always say so in the section's header).
  for (int y = 0; y < height; ++y)
    std::memcpy(to.Row(y), from + static_cast<std::size_t>(y) * stride, static_cast<std::size_t>(width) * 4);
  return image;
}
