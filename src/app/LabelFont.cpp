#include "app/LabelFont.h"

#include "gx/GxFont.h"
#include "gx/GxFontFamily.h"

bool CreateLabelFont(GxFont& font, float emSize) {
  if (font.CreateFromName("微软雅黑", emSize, 0, 0)) return true;
  GxFontFamily fallback;
  return fallback.CreateGenericSansSerif() && font.Create(fallback, emSize, 0, 0);
}
