#pragma once

class GxPath;

// Adds one closed rounded-rectangle figure spanning (x, y)–(x + w − 3, y + h − 3); r is the
// diameter of the corner arcs, kept within 1..100.
void AddRoundedRect(GxPath& path, float x, float y, float width, float height, int r);
