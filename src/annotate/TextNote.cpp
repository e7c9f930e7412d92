#include "annotate/TextNote.h"

#include <algorithm>
#include <cmath>

#include "gx/LabelFont.h"
#include "gx/GxSolidBrush.h"

namespace {

// Glyphs may reach a little beyond their advance (and above or below the line's box).
constexpr int kInkSlack = 4;
constexpr float kUnbounded = 100000;

}  // namespace

std::vector<std::wstring> TextLines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (wchar_t unit : text) {
    if (unit == L'\n') {
      lines.emplace_back();
    } else {
      lines.back() += unit;
    }
  }
  return lines;
}

TextLayout::TextLayout(const AnnotationStyle& style) {
  CreateLabelFont(font_, FontSize(style));
  // Tight layout without padding, one line per line, blanks measured: the caret after a typed
  // blank moves on.
  format_.CreateGenericTypographic();
  format_.SetFormatFlags(format_.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                         Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoClip);
  scratch_.CreateSurface(1, 1);
  scratch_.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  lineHeight_ = std::ceil(font_.GetHeight(&scratch_));
  if (lineHeight_ <= 0) lineHeight_ = FontSize(style);
}

float TextLayout::Width(const std::wstring& line) {
  if (line.empty()) return 0;
  GxRectF box;
  if (!scratch_.MeasureStringW(line, font_, GxRectF{0, 0, kUnbounded, kUnbounded}, &format_, box)) return 0;
  return box.width;
}

void TextLayout::Draw(GxGraphics& target, const TextNote& note) {
  GxSolidBrush brush;
  brush.Create(note.style.colour);
  target.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  const std::vector<std::wstring> lines = TextLines(note.text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const float top = note.origin.y + static_cast<float>(i) * lineHeight_;
    target.DrawStringW(lines[i], font_, brush, GxRectF{note.origin.x, top, kUnbounded, 2 * lineHeight_}, &format_);
  }
}

RECT TextLayout::Bounds(const TextNote& note) {
  const std::vector<std::wstring> lines = TextLines(note.text);
  float width = 1;  // the caret of an empty line
  for (const std::wstring& line : lines) width = std::max(width, Width(line) + 1);
  const LONG left = static_cast<LONG>(std::floor(note.origin.x)), top = static_cast<LONG>(std::floor(note.origin.y));
  const LONG height = static_cast<LONG>(std::ceil(lineHeight_ * static_cast<float>(lines.size())));
  return RECT{left - kInkSlack, top - kInkSlack, left + static_cast<LONG>(std::ceil(width)) + kInkSlack + 1,
              top + height + kInkSlack + 1};
}

GxRectF TextLayout::Caret(const TextNote& note, size_t caret) {
  caret = std::min(caret, note.text.size());
  const std::wstring before = note.text.substr(0, caret);
  const size_t lineStart = before.rfind(L'\n');
  const size_t row = static_cast<size_t>(std::count(before.begin(), before.end(), L'\n'));
  const std::wstring onLine = lineStart == std::wstring::npos ? before : before.substr(lineStart + 1);
  return GxRectF{std::round(note.origin.x + Width(onLine)), note.origin.y + static_cast<float>(row) * lineHeight_, 1,
                 lineHeight_};
}

void DrawTextNote(GxGraphics& target, const TextNote& note) { TextLayout(note.style).Draw(target, note); }

RECT TextNoteBounds(const TextNote& note) { return TextLayout(note.style).Bounds(note); }
