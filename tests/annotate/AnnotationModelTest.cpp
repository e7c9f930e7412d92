// The annotation model without a window: the kept shapes with undo and redo, where each shape's
// ink can fall, and the text of a text box as UTF-16 arrives.

#include <gtest/gtest.h>

#include "annotate/Annotations.h"
#include "annotate/TextEditing.h"
#include "annotate/TextNote.h"
#include "gx/GxGraphics.h"

namespace {

Shape Line(float x) { return OutlineShape{OutlineKind::Arrow, {x, 0}, {x, 50}, {}}; }
float FromX(const Shape& shape) { return std::get<OutlineShape>(shape).from.x; }

bool Holds(const RECT& rect, int x, int y) { return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom; }

// The pixels a shape draws onto a transparent 400 × 300 surface.
std::vector<POINT> Ink(const Shape& shape) {
  GxGraphics surface;
  EXPECT_TRUE(surface.CreateSurface(400, 300));
  DrawShape(surface, shape);
  GdiFlush();
  DIBSECTION dib{};
  GetObjectA(surface.GetSurfaceBitmap(), sizeof dib, &dib);
  const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
  std::vector<POINT> ink;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x)
      if (bits[static_cast<size_t>(299 - y) * 400 + x] != 0) ink.push_back(POINT{x, y});
  return ink;
}

}  // namespace

TEST(Annotations, UndoTakesBackTheNewestAndRedoPutsItBackUntilANewShape) {
  Annotations model;
  EXPECT_FALSE(model.Undo()) << "nothing to undo does nothing";
  model.Add(Line(1));
  model.Add(Line(2));
  model.Add(Line(3));
  ASSERT_TRUE(model.Undo());
  const std::optional<Shape> second = model.Undo();
  ASSERT_TRUE(second);
  EXPECT_EQ(FromX(*second), 2);
  ASSERT_EQ(model.Shapes().size(), 1u);

  const std::optional<Shape> redone = model.Redo();
  ASSERT_TRUE(redone);
  EXPECT_EQ(FromX(*redone), 2) << "the last undone comes back first";
  ASSERT_EQ(model.Shapes().size(), 2u);

  model.Add(Line(4));
  EXPECT_FALSE(model.Redo()) << "a new shape drops what was left to redo";
  ASSERT_EQ(model.Shapes().size(), 3u);
  EXPECT_EQ(FromX(model.Shapes().back()), 4);

  model.Undo();
  model.Reset();
  EXPECT_TRUE(model.Empty());
  EXPECT_FALSE(model.Redo());
}

TEST(Annotations, EveryShapesInkLiesWithinItsBoundsAndParts) {
  // Whatever a shape draws outside them would stay on the overlay after the next mouse move.
  std::vector<Shape> shapes;
  for (int size = 0; size < kStyleSizes; ++size) {
    const AnnotationStyle style{0xFF0060FF, size};
    shapes.push_back(OutlineShape{OutlineKind::Rectangle, {330, 250}, {30, 40}, style});
    shapes.push_back(OutlineShape{OutlineKind::Ellipse, {30, 40}, {330, 250}, style});
    shapes.push_back(OutlineShape{OutlineKind::Arrow, {350, 260}, {40, 30}, style});
    shapes.push_back(OutlineShape{OutlineKind::Arrow, {100, 100}, {103, 101}, style});
    BrushStroke stroke{{}, style};
    for (int i = 0; i < 30; ++i)
      stroke.points.push_back(GxPointF{20.0f + 12 * i, 150.0f + ((i % 4) - 1.5f) * 40 + i});
    shapes.push_back(stroke);
    shapes.push_back(TextNote{{50, 60}, L"Ab  jy\n\u4E2D\u6587 \U00020BB7", style});
    shapes.push_back(OutlineShape{OutlineKind::Line, {380, 20}, {25, 280}, style});
    shapes.push_back(OutlineShape{OutlineKind::Line, {60, 200}, {300, 201}, style});
    HighlightStroke highlight{stroke.points, style};
    highlight.points.resize(12);
    shapes.push_back(highlight);
    // After a marker's centred digits, the next size's text must still have its ink.
    shapes.push_back(StepMarker{{200, 150}, 99, style});
    shapes.push_back(StepMarker{{30, 280}, 100, style});
  }
  for (size_t i = 0; i < shapes.size(); ++i) {
    const std::vector<POINT> ink = Ink(shapes[i]);
    ASSERT_FALSE(ink.empty()) << "shape " << i;
    const RECT bounds = ShapeBounds(shapes[i]);
    const std::vector<RECT> parts = ShapeParts(shapes[i]);
    int outside = 0;
    for (const POINT& p : ink) {
      const bool inPart = std::any_of(parts.begin(), parts.end(), [&](const RECT& r) { return Holds(r, p.x, p.y); });
      if (!Holds(bounds, p.x, p.y) || !inPart) ++outside;
    }
    EXPECT_EQ(outside, 0) << "shape " << i << " of " << ink.size() << " ink pixels";
  }
}

TEST(Annotations, ARectanglesPartsLeaveItsInsideOut) {
  const Shape rectangle = OutlineShape{OutlineKind::Rectangle, {30, 40}, {330, 250}, {}};
  for (const RECT& part : ShapeParts(rectangle)) EXPECT_FALSE(Holds(part, 180, 145));
}

TEST(TextEditingTest, CharactersBeyondTheFirstPlaneStayWhole) {
  TextEditing text;
  text.Type(L'a');
  text.Type(0xD842);  // the high half waits for its low half
  EXPECT_EQ(text.Text(), L"a");
  text.Type(0xDFB7);
  text.Type(L"b\u4E2D");
  EXPECT_EQ(text.Text(), L"a\U00020BB7b\u4E2D");
  text.Left();
  text.Left();
  text.Left();  // over the pair at once
  EXPECT_EQ(text.Caret(), 1u);
  text.Right();
  EXPECT_EQ(text.Caret(), 3u);
  text.Backspace();
  EXPECT_EQ(text.Text(), L"ab\u4E2D");

  text.Type(0xDC00);  // a low half alone
  text.Type(0xD800);
  text.Type(L'c');    // a high half without its low one
  text.Type(L'\r');   // control characters come as keys
  text.Type(0x1A);
  EXPECT_EQ(text.Text(), L"acb\u4E2D");
}

TEST(TextEditingTest, LinesAndTheCaretMovingBetweenThem) {
  TextEditing text;
  text.Type(L"long line");
  text.NewLine();
  text.Type(L"ab");
  text.Up();
  EXPECT_EQ(text.Caret(), 2u) << "the same column above";
  text.End();
  text.Down();
  EXPECT_EQ(text.Caret(), text.Text().size()) << "the end of a shorter line";
  text.Home();
  text.Backspace();  // joins the lines
  EXPECT_EQ(text.Text(), L"long lineab");
  text.Delete();
  EXPECT_EQ(text.Text(), L"long lineb");
  EXPECT_EQ(TextLines(L"a\n\nb"), (std::vector<std::wstring>{L"a", L"", L"b"}));
}
