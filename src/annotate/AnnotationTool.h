#pragma once
// The tools that make annotations, behind one interface: the overlay hands an armed tool the
// presses inside the selection, the moves and releases that follow, and (for text) the keys and
// typed characters; the tool says what it shows meanwhile and hands over the shapes to keep.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "annotate/Shape.h"

class Annotations;

// The order of the toolbar's tool buttons and the menu's tool rows, 1 to 5; the tools after them
// have no place there yet.
enum class ToolKind { None, Rectangle, Ellipse, Arrow, Brush, Text, Line, Highlighter, Mosaic, Blur, StepNumber };

enum class EditKey { NewLine, Backspace, Delete, Left, Right, Up, Down, Home, End };

class AnnotationTool {
 public:
  virtual ~AnnotationTool() = default;

  // A left press strictly inside the selection, in screen pixels, drawing in `style`. What the
  // press closes (a text box open elsewhere) comes back, to be kept.
  virtual std::optional<Shape> Press(GxPointF at, const AnnotationStyle& style) = 0;
  // The mouse moved with the button held; `constrained` (Shift) squares rectangles, ellipses,
  // mosaics and blurs, and turns lines to the nearest multiple of 45°.
  virtual void Move(GxPointF to, bool constrained) = 0;
  // The button went up: the shape to keep, if the press made one.
  virtual std::optional<Shape> Release() = 0;
  // Between a press and its release.
  virtual bool Pressed() const = 0;
  // Ends whatever is under way (a shape being drawn, a text box) and hands over what to keep.
  virtual std::optional<Shape> Close() = 0;

  // What the tool shows beyond the kept shapes: a shape being drawn, a text box and its caret.
  virtual bool Working() const = 0;
  // Rectangles (screen pixels, possibly overlapping) whose union holds all of it.
  virtual std::vector<RECT> WorkParts() const = 0;
  // A mosaic or a blur under way needs the picture below (see Redaction.h); without it, it shows
  // nothing.
  virtual void DrawWork(GxGraphics& target, const PictureBelow* below = nullptr) const = 0;
  // Where what DrawWork draws may have changed since the last call (rectangles of screen pixels;
  // none when nowhere), so that a view may keep the rest as drawn; nullopt: anywhere.
  virtual std::optional<std::vector<RECT>> TakeWorkChanges() { return std::nullopt; }

  // A new style chosen while the tool works: an open text box takes it.
  virtual void Restyle(const AnnotationStyle&) {}

  // Text only. Whether a text box is open, taking keys and characters.
  virtual bool Typing() const { return false; }
  virtual void Type(const std::wstring&) {}
  virtual void Edit(EditKey) {}
  // Closes the text box without keeping it.
  virtual void Discard() {}
  // The caret, in screen pixels, while a text box is open.
  virtual std::optional<GxRectF> Caret() const { return std::nullopt; }
};

// Whether the style's colour shows in the tool's shapes: mosaic and blur take the size alone.
bool ToolUsesColour(ToolKind kind);

// A new tool of that kind; null for ToolKind::None. The step numbers tool numbers its markers
// after those among `kept` (the capture's annotations, which must outlive the tool); without
// them it starts at 1 every time.
std::unique_ptr<AnnotationTool> MakeTool(ToolKind kind, const Annotations* kept = nullptr);
