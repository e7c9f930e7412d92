#pragma once
// Typed text (see Shape.h) and where its lines and caret fall.

#include <memory>

#include "annotate/Shape.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxStringFormat.h"

// The lines of a text ('\n' separates them; an empty text is one empty line).
std::vector<std::wstring> TextLines(const std::wstring& text);

// The font of one style, and a scratch surface to measure with.
class TextLayout {
 public:
  explicit TextLayout(const AnnotationStyle& style);
  TextLayout(const TextLayout&) = delete;
  TextLayout& operator=(const TextLayout&) = delete;

  float LineHeight() const { return lineHeight_; }
  // The advance of a line, trailing blanks included; 0 for an empty one.
  float Width(const std::wstring& line);
  // The note's lines, one under the other.
  void Draw(GxGraphics& target, const TextNote& note);
  // Every pixel the note's ink can touch, also while it is empty (a caret's height and width).
  RECT Bounds(const TextNote& note);
  // The caret before the code unit `caret`: its top and height on the line that holds it.
  GxRectF Caret(const TextNote& note, size_t caret);

 private:
  GxFont font_;
  GxStringFormat format_;
  GxGraphics scratch_;
  float lineHeight_ = 0;
};

void DrawTextNote(GxGraphics& target, const TextNote& note);
RECT TextNoteBounds(const TextNote& note);
