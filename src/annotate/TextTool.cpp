#include "annotate/TextTool.h"

#include <algorithm>

#include "annotate/TextEditing.h"
#include "annotate/TextNote.h"
#include "gx/GxGraphics.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr float kCaretWidth = 2;

bool Blank(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t unit) { return unit == L' ' || unit == L'\n'; });
}

bool Inside(const RECT& rect, GxPointF at) {
  return at.x >= rect.left && at.x < rect.right && at.y >= rect.top && at.y < rect.bottom;
}

class TextTool : public AnnotationTool {
 public:
  std::optional<Shape> Press(GxPointF at, const AnnotationStyle& style) override {
    pressed_ = true;
    // A click on the open box keeps typing there; anywhere else starts a new box.
    if (box_ && Inside(TextLayout(box_->style).Bounds(Note()), at)) return std::nullopt;
    std::optional<Shape> closed = Close();
    pressed_ = true;
    box_ = Box{at, style, {}};
    return closed;
  }
  void Move(GxPointF, bool) override {}
  std::optional<Shape> Release() override {
    pressed_ = false;
    return std::nullopt;
  }
  bool Pressed() const override { return pressed_; }
  std::optional<Shape> Close() override {
    pressed_ = false;
    if (!box_) return std::nullopt;
    const TextNote note = Note();
    box_.reset();
    if (Blank(note.text)) return std::nullopt;  // an empty box adds nothing
    return Shape(note);
  }

  bool Working() const override { return box_.has_value(); }
  std::vector<RECT> WorkParts() const override {
    if (!box_) return {};
    return {TextLayout(box_->style).Bounds(Note())};
  }
  void DrawWork(GxGraphics& target, const PictureBelow* = nullptr) const override {
    if (!box_) return;
    TextLayout layout(box_->style);
    const TextNote note = Note();
    layout.Draw(target, note);
    DrawFrame(target, layout.Bounds(note));
    const GxRectF caret = layout.Caret(note, box_->editing.Caret());
    GxSolidBrush brush;
    brush.Create(box_->style.colour);
    target.FillRectangle(brush, caret.x, caret.y, kCaretWidth, caret.height);
  }

  void Restyle(const AnnotationStyle& style) override {
    if (box_) box_->style = style;
  }
  bool Typing() const override { return box_.has_value(); }
  void Type(const std::wstring& units) override {
    if (box_) box_->editing.Type(units);
  }
  void Edit(EditKey key) override {
    if (!box_) return;
    TextEditing& editing = box_->editing;
    switch (key) {
      case EditKey::NewLine: editing.NewLine(); break;
      case EditKey::Backspace: editing.Backspace(); break;
      case EditKey::Delete: editing.Delete(); break;
      case EditKey::Left: editing.Left(); break;
      case EditKey::Right: editing.Right(); break;
      case EditKey::Up: editing.Up(); break;
      case EditKey::Down: editing.Down(); break;
      case EditKey::Home: editing.Home(); break;
      case EditKey::End: editing.End(); break;
    }
  }
  void Discard() override { box_.reset(); }
  std::optional<GxRectF> Caret() const override {
    if (!box_) return std::nullopt;
    return TextLayout(box_->style).Caret(Note(), box_->editing.Caret());
  }

 private:
  struct Box {
    GxPointF origin;
    AnnotationStyle style;
    TextEditing editing;
  };

  TextNote Note() const { return TextNote{box_->origin, box_->editing.Text(), box_->style}; }

  // A dashed outline just inside the box's bounds: where the text goes, also while it is empty.
  void DrawFrame(GxGraphics& target, const RECT& bounds) const {
    GxPen pen;
    pen.Create(0xFF808080, 1);
    pen.SetDashStyle(Gdiplus::DashStyleDash);
    target.DrawRectangle(pen, static_cast<float>(bounds.left + 1), static_cast<float>(bounds.top + 1),
                         static_cast<float>(bounds.right - bounds.left - 3),
                         static_cast<float>(bounds.bottom - bounds.top - 3));
  }

  std::optional<Box> box_;
  bool pressed_ = false;
};

}  // namespace

std::unique_ptr<AnnotationTool> MakeTextTool() { return std::make_unique<TextTool>(); }
