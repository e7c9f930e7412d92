#pragma once
// The UI font of the overlay's labels: "微软雅黑", or the generic sans-serif family where that
// face is not installed, so the labels always show.

class GxFont;

bool CreateLabelFont(GxFont& font, float emSize);
