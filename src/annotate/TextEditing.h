#pragma once
// The text of an open text box and its caret, edited as a user types: UTF-16 code units as the
// system delivers them (a character beyond the first plane comes as two), lines split by '\n',
// the caret always between whole characters.

#include <cstddef>
#include <string>

class TextEditing {
 public:
  // One code unit of typed text. A high surrogate waits for the low one that completes it; a
  // half that does not fit, and control characters, are dropped.
  void Type(wchar_t unit);
  void Type(const std::wstring& units);
  void NewLine();
  void Backspace();
  void Delete();
  void Left();
  void Right();
  // To the same column of the line above or below, or the end of a shorter one.
  void Up();
  void Down();
  void Home();
  void End();

  const std::wstring& Text() const { return text_; }
  size_t Caret() const { return caret_; }

 private:
  void Insert(const std::wstring& units);
  size_t LineStart(size_t at) const;
  size_t LineEnd(size_t at) const;
  void ToColumnOf(size_t lineStart, size_t column);

  std::wstring text_;
  size_t caret_ = 0;
  wchar_t pendingHigh_ = 0;
};
