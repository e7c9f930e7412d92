#pragma once
// The UI font of the overlay's labels: "微软雅黑"; where that face is not installed, the generic
// sans-serif family; where that is missing too, the face the system uses for its messages. So
// the labels always show, in some installed face.

class GxFont;

bool CreateLabelFont(GxFont& font, float emSize);
