#include "gx/LabelFont.h"

#include <windows.h>

#include "gx/GdiOwners.h"
#include "gx/GxFont.h"
#include "gx/GxFontFamily.h"

namespace {

// The family of the system's message font (what message boxes are written in), which the
// system maps to an installed face even where the names above mean nothing.
bool CreateMessageFontFamily(GxFontFamily& family) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
  ScreenDC screen;
  GxFont messageFont;
  return messageFont.CreateFromLogFontW(screen.get(), &metrics.lfMessageFont) && messageFont.GetFamily(family);
}

}  // namespace

bool CreateLabelFont(GxFont& font, float emSize) {
  if (font.CreateFromName("微软雅黑", emSize)) return true;
  GxFontFamily fallback;
  if (fallback.CreateGenericSansSerif() && font.Create(fallback, emSize)) return true;
  return CreateMessageFontFamily(fallback) && font.Create(fallback, emSize);
}
