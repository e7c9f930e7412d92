// The tools that hide, point out and number: mosaic and blur computed from the picture under
// them, the highlighter's single blend, straight lines and step numbers, read back pixel by pixel
// from the surfaces they draw on.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "annotate/Annotations.h"
#include "annotate/AnnotationTool.h"
#include "annotate/HighlightStroke.h"
#include "annotate/Redaction.h"
#include "annotate/StepMarker.h"
#include "gx/GxGraphics.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

// Every colour byte within `reach` of the other's.
bool Close(std::uint32_t a, std::uint32_t b, int reach = 1) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(Channel(a, shift) - Channel(b, shift)) > reach) return false;
  return true;
}

// A surface of the given size whose pixels come from `pixel(x, y)` (surface coordinates).
template <typename Pixel>
void Fill(GxGraphics& surface, int width, int height, Pixel pixel) {
  ASSERT_TRUE(surface.CreateSurface(width, height));
  const SurfaceBits bits = surface.GetSurfaceBits();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bits.Row(y)[x] = pixel(x, y);
}

std::uint32_t Pixel(const SurfaceBits& bits, int x, int y) { return bits.Row(y)[x]; }

// The shape a tool keeps from a press, moves through the points and a release.
Shape Drawn(ToolKind kind, std::vector<GxPointF> path, AnnotationStyle style = {}, bool constrained = false,
            const Annotations* kept = nullptr) {
  std::unique_ptr<AnnotationTool> tool = MakeTool(kind, kept);
  EXPECT_TRUE(tool);
  tool->Press(path.front(), style);
  for (size_t i = 1; i < path.size(); ++i) tool->Move(path[i], constrained);
  std::optional<Shape> shape = tool->Release();
  EXPECT_TRUE(shape);
  return shape ? *shape : Shape{};
}

// A picture of random opaque pixels whose top-left pixel is the screen point `origin`, with a
// layer that holds one opaque rectangle of kept ink (`ink`, screen pixels) and nothing else.
struct Picture {
  GxGraphics screen, layer;
  PictureBelow below;
  RECT ink{};
  static constexpr std::uint32_t kInk = 0xFF2080C0u;

  Picture(int width, int height, POINT origin, RECT inkRect, std::mt19937& random) : ink(inkRect) {
    Fill(screen, width, height, [&](int, int) { return kOpaque | (random() & 0xFFFFFF); });
    Fill(layer, width, height, [&](int x, int y) {
      return PtInRect(&ink, POINT{x + origin.x, y + origin.y}) ? kInk : 0u;
    });
    below = PictureBelow{screen.GetSurfaceBits(), layer.GetSurfaceBits(), origin};
  }
  // What the overlay shows at a screen point before the redaction.
  std::uint32_t Composed(LONG x, LONG y) {
    return PtInRect(&ink, POINT{x, y}) ? kInk : Pixel(below.screen, x - below.origin.x, y - below.origin.y);
  }
};

}  // namespace

TEST(Redaction, EveryMosaicCellIsOneFlatColourTheAverageOfWhatLayUnderIt) {
  // Random pictures, origins (the grid is fixed to the screen, also left of and above it),
  // rectangles (also reaching off the picture) and sizes.
  std::mt19937 random(19);
  for (int round = 0; round < 12; ++round) {
    const POINT origin{static_cast<LONG>(random() % 61) - 30, static_cast<LONG>(random() % 61) - 30};
    const LONG x0 = origin.x + static_cast<LONG>(random() % 70) - 10, y0 = origin.y + static_cast<LONG>(random() % 50) - 10;
    Picture picture(96, 72, origin, RECT{x0 + 5, y0 + 5, x0 + 30, y0 + 20}, random);
    const AnnotationStyle style{0xFFFF0000, static_cast<int>(random() % kStyleSizes)};
    const GxPointF to{static_cast<float>(x0 + 10 + static_cast<LONG>(random() % 80)),
                      static_cast<float>(y0 + 10 + static_cast<LONG>(random() % 60))};
    const Shape mosaic = Drawn(ToolKind::Mosaic, {{static_cast<float>(x0), static_cast<float>(y0)}, to}, style);
    ASSERT_TRUE(std::holds_alternative<Redaction>(mosaic));
    RECT rect = ShapeBounds(mosaic), onPicture{origin.x, origin.y, origin.x + 96, origin.y + 72};
    ASSERT_EQ(ShapeParts(mosaic).size(), 1u);
    IntersectRect(&rect, &rect, &onPicture);

    std::vector<std::uint32_t> composed;  // before, as the overlay showed it
    for (LONG y = origin.y; y < origin.y + 72; ++y)
      for (LONG x = origin.x; x < origin.x + 96; ++x) composed.push_back(picture.Composed(x, y));
    const auto before = [&](LONG x, LONG y) { return composed[(y - origin.y) * 96 + (x - origin.x)]; };

    // Redacted in a block of the whole composed picture: the same pixels, and none outside.
    PixelBlock whole = PictureUnder(picture.below, onPicture);
    Redact(std::get<Redaction>(mosaic), whole);

    // Kept: drawn onto the layer it reads.
    picture.layer.TranslateTransform(static_cast<float>(-origin.x), static_cast<float>(-origin.y));
    DrawShape(picture.layer, mosaic, &picture.below);
    const SurfaceBits after = picture.layer.GetSurfaceBits();
    const int cell = MosaicCell(style);
    const auto cellOf = [cell](LONG v) { return v >= 0 ? v / cell : -((-v + cell - 1) / cell); };
    for (LONG cy = cellOf(rect.top); cy <= cellOf(rect.bottom - 1); ++cy) {
      for (LONG cx = cellOf(rect.left); cx <= cellOf(rect.right - 1); ++cx) {
        const RECT block{std::max(rect.left, cx * cell), std::max(rect.top, cy * cell),
                         std::min(rect.right, (cx + 1) * cell), std::min(rect.bottom, (cy + 1) * cell)};
        double sums[3] = {};
        for (LONG y = block.top; y < block.bottom; ++y)
          for (LONG x = block.left; x < block.right; ++x)
            for (int c = 0; c < 3; ++c) sums[c] += Channel(before(x, y), 8 * c);
        const double count = static_cast<double>((block.right - block.left) * (block.bottom - block.top));
        std::uint32_t average = kOpaque;
        for (int c = 0; c < 3; ++c) average |= static_cast<std::uint32_t>(std::lround(sums[c] / count)) << (8 * c);
        const std::uint32_t flat = Pixel(after, block.left - origin.x, block.top - origin.y);
        ASSERT_TRUE(Close(flat, average)) << std::hex << flat << " for " << average << " round " << round;
        for (LONG y = block.top; y < block.bottom; ++y)
          for (LONG x = block.left; x < block.right; ++x)
            ASSERT_EQ(Pixel(after, x - origin.x, y - origin.y), flat) << x << "," << y << " round " << round;
      }
    }
    // Outside the rectangle the layer is as it was.
    for (LONG y = origin.y; y < origin.y + 72; ++y)
      for (LONG x = origin.x; x < origin.x + 96; ++x) {
        const bool inside = PtInRect(&rect, POINT{x, y});
        ASSERT_EQ(whole.Row(y - origin.y)[x - origin.x], inside ? Pixel(after, x - origin.x, y - origin.y) : before(x, y));
        if (!inside) {
          ASSERT_EQ(Pixel(after, x - origin.x, y - origin.y), PtInRect(&picture.ink, POINT{x, y}) ? Picture::kInk : 0u);
        }
      }
  }
}

TEST(Redaction, ABlurSmoothsOnlyItsRectangleWithNothingBleedingIn) {
  std::mt19937 random(7);
  for (int size = 0; size < kStyleSizes; ++size) {
    // White inside the rectangle, a fine black and white pattern in its middle, dark around it.
    const RECT rect{20, 20, 280, 220}, middle{90, 60, 210, 180};
    GxGraphics screen, layer, piece;
    Fill(screen, 300, 240, [&](int x, int y) {
      if (!PtInRect(&rect, POINT{x, y})) return kOpaque | (random() & 0x0F0F0F);
      return PtInRect(&middle, POINT{x, y}) && (x + y) % 2 ? kOpaque : 0xFFFFFFFFu;
    });
    Fill(layer, 300, 240, [](int, int) { return 0u; });
    const PictureBelow below{screen.GetSurfaceBits(), {}, POINT{0, 0}};
    const AnnotationStyle style{0xFF000000, size};
    const Shape blur = Redaction{RedactionKind::Blur, {280, 220}, {20, 20}, style};
    DrawShape(layer, blur, &below);
    const SurfaceBits blurred = layer.GetSurfaceBits();

    const int radius = BlurRadius(style);
    for (int y = 0; y < 240; ++y) {
      for (int x = 0; x < 300; ++x) {
        const std::uint32_t pixel = Pixel(blurred, x, y);
        if (!PtInRect(&rect, POINT{x, y})) {
          ASSERT_EQ(pixel, 0u) << x << "," << y << " lies outside";
          continue;
        }
        ASSERT_EQ(pixel >> 24, 0xFFu) << "opaque";
        RECT reach = middle;  // beyond it, the pattern is more than three radii away
        InflateRect(&reach, 3 * radius + 1, 3 * radius + 1);
        if (!PtInRect(&reach, POINT{x, y})) {
          ASSERT_EQ(pixel, 0xFFFFFFFFu) << x << "," << y << ": the dark around bled in";
        }
      }
    }
    RECT flat = middle;  // the pattern's inside, fully averaged
    InflateRect(&flat, -3 * radius, -3 * radius);
    for (int y = flat.top; y < flat.bottom; ++y)
      for (int x = flat.left; x < flat.right; ++x)
        ASSERT_TRUE(Close(Pixel(blurred, x, y), 0xFF808080u, 2)) << std::hex << Pixel(blurred, x, y) << " at " << x << "," << y;

    // The blur under way, drawn in a piece onto a surface of its own, shows what the kept one does.
    ASSERT_TRUE(piece.CreateSurface(50, 40));
    piece.TranslateTransform(-250, -190);
    DrawShape(piece, blur, &below);
    const SurfaceBits shown = piece.GetSurfaceBits();
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 50; ++x) {
        const bool inside = x + 250 < rect.right && y + 190 < rect.bottom;
        ASSERT_EQ(Pixel(shown, x, y), inside ? Pixel(blurred, x + 250, y + 190) : 0u) << x << "," << y;
      }
  }
}

TEST(Highlighter, ATintOverWhiteThatCrossingItselfDoesNotDarken) {
  const AnnotationStyle style{0xFF0060FF, 1};
  // Along, down, back and up again through (100, 60), crossing its first stretch there.
  const Shape stroke = Drawn(ToolKind::Highlighter,
                             {{20, 60}, {60, 60}, {140, 60}, {140, 110}, {100, 110}, {100, 60}, {100, 15}}, style);
  ASSERT_TRUE(std::holds_alternative<HighlightStroke>(stroke));
  GxGraphics surface;
  Fill(surface, 180, 130, [](int, int) { return 0xFFFFFFFFu; });
  DrawShape(surface, stroke);
  const SurfaceBits bits = surface.GetSurfaceBits();

  const double alpha = kHighlightAlpha / 255.0;
  std::uint32_t tint = kOpaque;
  for (int c = 0; c < 3; ++c)
    tint |= static_cast<std::uint32_t>(std::lround(255 * (1 - alpha) + Channel(style.colour, 8 * c) * alpha)) << (8 * c);
  EXPECT_TRUE(Close(Pixel(bits, 40, 60), tint)) << std::hex << Pixel(bits, 40, 60) << " for " << tint;
  EXPECT_EQ(Pixel(bits, 100, 60), Pixel(bits, 40, 60)) << "where it crosses itself";
  EXPECT_EQ(Pixel(bits, 140, 60), Pixel(bits, 40, 60)) << "where it turns";
  EXPECT_EQ(Pixel(bits, 40, 90), 0xFFFFFFFFu);
}

TEST(Line, AConstrainedLineTurnsToTheNearestMultipleOf45Degrees) {
  const auto line = [](GxPointF to, bool constrained) {
    return std::get<OutlineShape>(Drawn(ToolKind::Line, {{50, 50}, {70, 90}, to}, {}, constrained));
  };
  const OutlineShape free = line({150, 130}, false);
  EXPECT_EQ(free.kind, OutlineKind::Line);
  EXPECT_EQ(free.to.x, 150);
  EXPECT_EQ(free.to.y, 130);
  const OutlineShape diagonal = line({150, 130}, true);
  EXPECT_FLOAT_EQ(diagonal.to.x - 50, diagonal.to.y - 50);
  EXPECT_NEAR(diagonal.to.x, 140, 0.5);
  const OutlineShape flat = line({150, 62}, true);
  EXPECT_EQ(flat.to.y, 50);
  EXPECT_EQ(flat.to.x, 150);
  const OutlineShape up = line({44, -60}, true);
  EXPECT_EQ(up.to.x, 50);
  EXPECT_EQ(up.to.y, -60);
  const OutlineShape backUp = line({-30, -20}, true);
  EXPECT_FLOAT_EQ(backUp.to.x - 50, backUp.to.y - 50);

  GxGraphics surface;
  ASSERT_TRUE(surface.CreateSurface(200, 200));
  DrawShape(surface, diagonal);
  const SurfaceBits bits = surface.GetSurfaceBits();
  EXPECT_EQ(Pixel(bits, 95, 95) >> 24, 0xFFu) << "on the diagonal";
  EXPECT_EQ(Pixel(bits, 130, 130) >> 24, 0xFFu);
  EXPECT_EQ(Pixel(bits, 120, 106), 0u) << "where the free line would have passed";
}

TEST(StepNumbers, TheNextNumberComesFromTheKeptMarkersSoUndoGivesItAgain) {
  Annotations kept;
  const auto click = [&](float x) {
    const StepMarker marker = std::get<StepMarker>(Drawn(ToolKind::StepNumber, {{x, 40}}, {}, false, &kept));
    kept.Add(marker);
    return marker.number;
  };
  EXPECT_EQ(click(20), 1);
  kept.Add(OutlineShape{OutlineKind::Rectangle, {0, 0}, {9, 9}, {}});
  EXPECT_EQ(click(60), 2);
  EXPECT_EQ(click(100), 3);
  kept.Undo();
  EXPECT_EQ(click(140), 3) << "the number undo took back";
  kept.Undo();
  kept.Undo();
  kept.Undo();
  kept.Redo();
  EXPECT_EQ(NextStepNumber(kept.Shapes()), 2);
  kept.Redo();
  kept.Redo();
  EXPECT_EQ(click(180), 4) << "redone markers keep their numbers";
  EXPECT_EQ(std::get<StepMarker>(Drawn(ToolKind::StepNumber, {{10, 10}, {30, 35}})).centre.y, 35)
      << "a drag moves the marker until the button goes up";
}

TEST(StepNumbers, DigitsInAContrastingColourStayInsideTheCircleUpTo999) {
  for (std::uint32_t fill : {0xFFFF0000u, 0xFFFFD800u, 0xFF0060FFu, 0xFFFFFFFFu}) {
    for (int size = 0; size < kStyleSizes; ++size) {
      for (int number : {7, 88, 999}) {
        const StepMarker marker{{60, 50}, number, {fill, size}};
        const std::uint32_t digit = StepDigitColour(fill);
        EXPECT_EQ(digit, fill == 0xFFFF0000u || fill == 0xFF0060FFu ? 0xFFFFFFFFu : 0xFF000000u);
        GxGraphics surface;
        ASSERT_TRUE(surface.CreateSurface(120, 100));
        ASSERT_LE(StepRadius(marker), 45);
        DrawShape(surface, marker);
        const SurfaceBits bits = surface.GetSurfaceBits();
        const float radius = StepRadius(marker);
        int digitPixels = 0;
        for (int y = 0; y < 100; ++y)
          for (int x = 0; x < 120; ++x) {
            const std::uint32_t pixel = Pixel(bits, x, y);
            const float dx = x + 0.5f - 60, dy = y + 0.5f - 50;
            if (pixel == 0) continue;
            ASSERT_LE(std::sqrt(dx * dx + dy * dy), radius + 1.5) << x << "," << y << " lies off the circle";
            digitPixels += Close(pixel, digit, 40) && std::sqrt(dx * dx + dy * dy) < radius - 1;
          }
        EXPECT_GT(digitPixels, 4 * static_cast<int>(std::to_string(number).size()))
            << number << " on " << std::hex << fill << " size " << size;
      }
    }
  }
}

// A mosaic or a blur is redacted only in the part of it a surface holds, from a block reaching
// as far past it as the filter looks. Searched over random drags (growing, shrinking, crossing
// the press point, reaching off the picture), sizes, kinds and parts, the part must show exactly
// the pixels of redacting the whole rectangle. The same two tools make every drag, each over a new
// picture of the same size, so a drag that took the last one's pixels for its own would show.
TEST(Redaction, APartOfARedactionShowsThePixelsOfTheWhole) {
  std::mt19937 random(2026);
  std::unique_ptr<AnnotationTool> tools[] = {MakeTool(ToolKind::Mosaic), MakeTool(ToolKind::Blur)};
  const auto coordinate = [&](LONG low, LONG span) { return static_cast<float>(low + static_cast<LONG>(random() % span)); };
  for (int drag = 0; drag < 40; ++drag) {
    const int width = 150, height = 110;
    const POINT origin{static_cast<LONG>(random() % 61) - 30, static_cast<LONG>(random() % 61) - 30};
    const LONG inkX = origin.x + static_cast<LONG>(random() % 100), inkY = origin.y + static_cast<LONG>(random() % 80);
    Picture picture(width, height, origin, RECT{inkX, inkY, inkX + 30, inkY + 20}, random);
    const bool blur = random() % 2;
    AnnotationTool* tool = tools[blur].get();
    const AnnotationStyle style{0xFF000000, static_cast<int>(random() % kStyleSizes)};
    const GxPointF press{coordinate(origin.x - 10, width + 20), coordinate(origin.y - 10, height + 20)};
    tool->Press(press, style);
    GxPointF to = press;
    for (int move = 0; move < 14; ++move) {
      if (random() % 3 == 0) {
        to = GxPointF{coordinate(origin.x - 20, width + 40), coordinate(origin.y - 20, height + 40)};
      } else {  // a step of a few pixels, as the mouse makes
        to = GxPointF{to.x + static_cast<float>(static_cast<int>(random() % 25) - 12),
                      to.y + static_cast<float>(static_cast<int>(random() % 25) - 12)};
      }
      tool->Move(to, false);
      // A part of the picture: a strip along an edge as a drag redraws, or any piece.
      const int partX = static_cast<int>(random() % width), partY = static_cast<int>(random() % height);
      const int partW = 1 + static_cast<int>(random() % (width - partX)), partH = 1 + static_cast<int>(random() % (height - partY));
      GxGraphics shown, afresh;
      ASSERT_TRUE(shown.CreateSurface(partW, partH) && afresh.CreateSurface(width, height));
      shown.TranslateTransform(static_cast<float>(-origin.x - partX), static_cast<float>(-origin.y - partY));
      afresh.TranslateTransform(static_cast<float>(-origin.x), static_cast<float>(-origin.y));
      tool->DrawWork(shown, &picture.below);
      const Redaction whole{blur ? RedactionKind::Blur : RedactionKind::Mosaic, press, to, style};
      DrawShape(afresh, whole, &picture.below);
      const SurfaceBits a = shown.GetSurfaceBits(), b = afresh.GetSurfaceBits();
      for (int y = 0; y < partH; ++y)
        for (int x = 0; x < partW; ++x)
          ASSERT_EQ(Pixel(a, x, y), Pixel(b, partX + x, partY + y))
              << "drag " << drag << " move " << move << " at " << partX + x << "," << partY + y;
    }
    tool->Release();
  }
}
