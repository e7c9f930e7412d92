#include "app/LabelFont.h"

#include "gx/GxFont.h"
#include "gx/GxFontFamily.h"

bool CreateLabelFont(GxFont& font, float emSize) {
  if (font.CreateFromName("微软雅黑", emSize)) return true;
  GxFontFamily fallback;
  return fallback.CreateGenericSansSerif() && font.Create(fallback, emSize);
}
