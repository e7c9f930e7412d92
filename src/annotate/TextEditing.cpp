#include "annotate/TextEditing.h"

#include <algorithm>

namespace {

bool IsHigh(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void TextEditing::Type(wchar_t unit) {
  const wchar_t high = pendingHigh_;
  pendingHigh_ = 0;
  if (IsLow(unit)) {
    if (high) Insert(std::wstring{high, unit});
    return;
  }
  if (IsHigh(unit)) {
    pendingHigh_ = unit;
    return;
  }
  if (unit < 0x20 || unit == 0x7F) return;  // Enter, Backspace, Esc and Ctrl+letters come as keys
  Insert(std::wstring(1, unit));
}

void TextEditing::Type(const std::wstring& units) {
  for (wchar_t unit : units) Type(unit);
}

void TextEditing::NewLine() {
  pendingHigh_ = 0;
  Insert(L"\n");
}

void TextEditing::Backspace() {
  if (caret_ == 0) return;
  const size_t width = caret_ >= 2 && IsLow(text_[caret_ - 1]) && IsHigh(text_[caret_ - 2]) ? 2 : 1;
  caret_ -= width;
  text_.erase(caret_, width);
}

void TextEditing::Delete() {
  if (caret_ >= text_.size()) return;
  Right();
  Backspace();
}

void TextEditing::Left() {
  if (caret_ == 0) return;
  caret_ -= caret_ >= 2 && IsLow(text_[caret_ - 1]) && IsHigh(text_[caret_ - 2]) ? 2 : 1;
}

void TextEditing::Right() {
  if (caret_ >= text_.size()) return;
  caret_ += caret_ + 1 < text_.size() && IsHigh(text_[caret_]) && IsLow(text_[caret_ + 1]) ? 2 : 1;
}

void TextEditing::Up() {
  const size_t start = LineStart(caret_);
  if (start == 0) return;
  ToColumnOf(LineStart(start - 1), caret_ - start);
}

void TextEditing::Down() {
  const size_t end = LineEnd(caret_);
  if (end >= text_.size()) return;
  ToColumnOf(end + 1, caret_ - LineStart(caret_));
}

void TextEditing::Home() { caret_ = LineStart(caret_); }
void TextEditing::End() { caret_ = LineEnd(caret_); }

void TextEditing::Insert(const std::wstring& units) {
  text_.insert(caret_, units);
  caret_ += units.size();
}

size_t TextEditing::LineStart(size_t at) const {
  const size_t newline = at == 0 ? std::wstring::npos : text_.rfind(L'\n', at - 1);
  return newline == std::wstring::npos ? 0 : newline + 1;
}

size_t TextEditing::LineEnd(size_t at) const {
  const size_t newline = text_.find(L'\n', at);
  return newline == std::wstring::npos ? text_.size() : newline;
}

void TextEditing::ToColumnOf(size_t lineStart, size_t column) {
  caret_ = std::min(lineStart + column, LineEnd(lineStart));
  // Not between the halves of a pair.
  if (caret_ > 0 && caret_ < text_.size() && IsLow(text_[caret_]) && IsHigh(text_[caret_ - 1])) --caret_;
}
