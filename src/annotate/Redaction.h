#pragma once
// Mosaic and blur (see Shape.h): rectangles that replace the picture under them.
//
// How the overlay and the output take part: the layer of kept shapes is transparent, and a
// redaction kept on it is written there opaque, computed from the frozen screen with the layer
// so far blended over it. So the frozen screen with the layer blended over it (as the overlay
// shows it and the output cuts it) holds the redacted pixels and nothing of what was under them.
//  - Keeping a shape, and drawing the kept shapes afresh after an undo, one after the other:
//      DrawShape(layer, shape, &below) with below = {frozen.GetSurfaceBits(),
//      layer.GetSurfaceBits()} (the layer made before its bits are taken).
//  - The shape under way, drawn in pieces onto transparent surfaces translated to each piece and
//    blended over the canvas: tool.DrawWork(piece, &below) with below = {frozen bits, the layer's
//    bits or none}. A redaction draws its rectangle's pixels opaque, computed from the whole
//    rectangle, so any piece shows what the kept shape will.
// The cost is proportional to the rectangle (cut to the screen), whatever the size chosen.

#include "annotate/PixelBlock.h"
#include "annotate/Shape.h"

// The screen pixels the redaction replaces: those the press and release points span (right and
// bottom exclusive); empty when they share a row or a column.
RECT RedactionRect(const Redaction& redaction);
// The side of a mosaic's cells: 8, 14 or 20 pixels.
int MosaicCell(const AnnotationStyle& style);
// The radius of each of a blur's box passes: 4, 8 or 12 pixels.
int BlurRadius(const AnnotationStyle& style);
// How far from a pixel the filter looks, and so how far a moved edge changes what it gives.
int RedactionReach(const Redaction& redaction);

// The picture below over `area` (cut to the picture): the frozen screen with the layer blended
// over it, opaque. Empty where the area lies off the picture.
PixelBlock PictureUnder(const PictureBelow& below, const RECT& area);
// Redacts a block of the composed picture that holds the redaction's rectangle, in place; only
// pixels within the rectangle change. What the result is depends on every pixel of the
// rectangle the block holds, so give it the whole rectangle (cut only to the screen).
void Redact(const Redaction& redaction, PixelBlock& block);

void DrawRedaction(GxGraphics& target, const Redaction& redaction, const PictureBelow* below);
