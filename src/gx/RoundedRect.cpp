#include "gx/RoundedRect.h"

#include <algorithm>

#include "gx/GxPath.h"

void AddRoundedRect(GxPath& path, float x, float y, float width, float height, int r) {
  r = std::clamp(r, 1, 100);
  const float d = static_cast<float>(r);
  const float inset = static_cast<float>(r + 3);
  path.AddArc(x, y, d, d, 180, 90);
  path.AddArc(x + width - inset, y, d, d, 270, 90);
  path.AddArc(x + width - inset, y + height - inset, d, d, 0, 90);
  path.AddArc(x, y + height - inset, d, d, 90, 90);
  path.CloseAllFigures();
}
