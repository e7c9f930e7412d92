// The rotated copy of a bitmap: a new 32-bit ARGB canvas large enough for the turned image, the
// source drawn centred and turned about the canvas centre.

#include <algorithm>
#include <cmath>
#include <memory>

#include "gx/GxArgumentGuards.h"
#include "gx/GxBitmap.h"
#include "gx/GxHandOver.h"

using Gdiplus::GpBitmap;

namespace {

// Owners of the native objects a rotation makes; each frees its object on every path out.
struct DisposeBitmap {
  void operator()(GpBitmap* bitmap) const { Gdip<GDIP(GdipDisposeImage)>(bitmap); }
};
struct DeleteGraphics {
  void operator()(Gdiplus::GpGraphics* graphics) const { Gdip<GDIP(GdipDeleteGraphics)>(graphics); }
};
struct DeleteMatrix {
  void operator()(Gdiplus::GpMatrix* matrix) const { Gdip<GDIP(GdipDeleteMatrix)>(matrix); }
};
struct DeleteBrush {
  void operator()(Gdiplus::GpSolidFill* brush) const { Gdip<GDIP(GdipDeleteBrush)>(brush); }
};
using BitmapOwner = std::unique_ptr<GpBitmap, DisposeBitmap>;
using GraphicsOwner = std::unique_ptr<Gdiplus::GpGraphics, DeleteGraphics>;
using MatrixOwner = std::unique_ptr<Gdiplus::GpMatrix, DeleteMatrix>;
using BrushOwner = std::unique_ptr<Gdiplus::GpSolidFill, DeleteBrush>;

struct Rotation {
  float angle;
  float sourceWidth, sourceHeight;
  float width, height;  // of the new canvas
  std::optional<std::uint32_t> background;
  std::optional<Gdiplus::InterpolationMode> interpolation;
};

// The source centred in the canvas and turned about the canvas centre. Every step is prepended,
// so a source point meets them from the last to the first.
int BuildTransform(Gdiplus::GpMatrix* matrix, const Rotation& rotation) {
  const auto prepend = Gdiplus::MatrixOrderPrepend;
  Gdip<GDIP(GdipTranslateMatrix)>(matrix, rotation.width / 2, rotation.height / 2, prepend);
  Gdip<GDIP(GdipRotateMatrix)>(matrix, rotation.angle, prepend);
  Gdip<GDIP(GdipTranslateMatrix)>(matrix, -rotation.width / 2, -rotation.height / 2, prepend);
  return Gdip<GDIP(GdipTranslateMatrix)>(matrix, (rotation.width - rotation.sourceWidth) / 2,
                                         (rotation.height - rotation.sourceHeight) / 2, prepend);
}

int FillBackground(Gdiplus::GpGraphics* canvas, const Rotation& rotation) {
  Gdiplus::GpSolidFill* brush = nullptr;
  const int status = Gdip<GDIP(GdipCreateSolidFill)>(static_cast<Gdiplus::ARGB>(*rotation.background), &brush);
  BrushOwner owner(brush);
  if (status != GxOk) return status;
  Gdip<GDIP(GdipFillRectangle)>(canvas, brush, 0.0f, 0.0f, rotation.width, rotation.height);
  return GxOk;
}

// Draws the source turned onto the canvas of `bitmap`; the status of the first failing step, or
// of the drawing call.
int DrawRotated(Gdiplus::GpImage* source, GpBitmap* bitmap, const Rotation& rotation) {
  Gdiplus::GpGraphics* graphics = nullptr;
  int status = Gdip<GDIP(GdipGetImageGraphicsContext)>(bitmap, &graphics);
  GraphicsOwner canvas(graphics);
  if (status != GxOk) return status;
  if (rotation.background && (status = FillBackground(graphics, rotation)) != GxOk) return status;
  if (rotation.interpolation) Gdip<GDIP(GdipSetInterpolationMode)>(graphics, *rotation.interpolation);

  Gdiplus::GpMatrix* matrix = nullptr;
  status = Gdip<GDIP(GdipCreateMatrix)>(&matrix);
  MatrixOwner transform(matrix);
  if (status != GxOk) return status;
  BuildTransform(matrix, rotation);
  Gdip<GDIP(GdipSetWorldTransform)>(graphics, matrix);
  status = Gdip<GDIP(GdipDrawImage)>(graphics, source, 0.0f, 0.0f);
  Gdip<GDIP(GdipResetWorldTransform)>(graphics);
  return status;
}

}  // namespace

void GxBitmap::GetRotatedSize(int width, int height, int angle, float& newWidth, float& newHeight) {
  const double radians = angle * 3.1415926535 / 180;
  const double s = std::sin(radians), c = std::cos(radians);
  const double hw = (width - 1.0) / 2.0, hh = (height - 1.0) / 2.0;
  const double corners[4][2] = {{-hw, hh}, {hw, hh}, {-hw, -hh}, {hw, -hh}};
  double x[4], y[4];
  for (int i = 0; i < 4; ++i) {
    x[i] = corners[i][0] * c + corners[i][1] * s;
    y[i] = -corners[i][0] * s + corners[i][1] * c;
  }
  newWidth = static_cast<float>(std::max(std::fabs(x[3] - x[0]), std::fabs(x[2] - x[1])));
  newHeight = static_cast<float>(std::max(std::fabs(y[3] - y[0]), std::fabs(y[2] - y[1])));
}

bool GxBitmap::CreateRotated(float angle, GxBitmap& target, std::optional<std::uint32_t> background,
                             std::optional<Gdiplus::InterpolationMode> interpolation, std::optional<GxSizeF> size) const {
  int wholeDegrees = 0;
  if (!ToInt(std::fmod(angle, 360.0f), wholeDegrees)) return false;  // NaN or infinite: no turn
  const int sourceWidth = GetWidth(), sourceHeight = GetHeight();
  Rotation rotation{angle, static_cast<float>(sourceWidth), static_cast<float>(sourceHeight), 0, 0, background,
                    interpolation};
  if (size) {
    rotation.width = size->width;
    rotation.height = size->height;
  } else {
    GetRotatedSize(sourceWidth, sourceHeight, wholeDegrees, rotation.width, rotation.height);
  }
  int canvasWidth = 0, canvasHeight = 0;
  if (!ToInt(rotation.width, canvasWidth) || !ToInt(rotation.height, canvasHeight) ||
      !BitmapSizeFits(canvasWidth, canvasHeight, PixelFormat32bppARGB))
    return false;

  GpBitmap* made = nullptr;
  int status = Gdip<GDIP(GdipCreateBitmapFromScan0)>(canvasWidth, canvasHeight, 0, PixelFormat32bppARGB, nullptr, &made);
  if (status != GxOk) return false;
  BitmapOwner rotated(made);
  Gdip<GDIP(GdipBitmapSetResolution)>(made, GetHorizontalResolution(), GetVerticalResolution());

  status = DrawRotated(Image(), made, rotation);
  if (status == GxOk) return HandOver(target, rotated.release(), status);
  // Releasing what the rotation made must not hide why it failed.
  rotated.reset();
  LastStatus = status;
  return false;
}
