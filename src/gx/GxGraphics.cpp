#include "gx/GxGraphics.h"

#include "gx/GxBitmap.h"
#include "gx/GxFont.h"
#include "gx/GxImage.h"
#include "gx/GxImageAttributes.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxRegion.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxStringFormat.h"
#include "gx/GxText.h"

using namespace Gdiplus;

namespace {

GpPen* PenOf(const GxPen& pen) { return NativeOf<GpPen>(pen); }
GpBrush* BrushOf(const GxSolidBrush& brush) { return NativeOf<GpBrush>(brush); }
GpImage* ImageOf(const GxImage& image) { return NativeOf<GpImage>(image); }

const RectF& NativeRect(const GxRectF& rect) { return *reinterpret_cast<const RectF*>(&rect); }

// A text argument as GDI+ takes it: the pointer (null when empty) and its length up to the first NUL.
struct WideArg {
  const wchar_t* text;
  int length;
  explicit WideArg(const std::wstring& wide) : text(WideOrNull(wide)), length(text ? lstrlenW(text) : 0) {}
};

}  // namespace

GxGraphics::~GxGraphics() { Delete(); }

void GxGraphics::ReleaseSurface() {
  if (memoryDC_) SelectObject(memoryDC_, previousBitmap_);
  if (dibSection_) DeleteObject(dibSection_);
  if (memoryDC_) DeleteDC(memoryDC_);
  memoryDC_ = nullptr;
  dibSection_ = nullptr;
  previousBitmap_ = nullptr;
  surfaceWidth_ = 0;
  surfaceHeight_ = 0;
}

bool GxGraphics::Delete() {
  // A surface whose GDI+ graphics could not be made is still released, but counts as empty.
  ReleaseSurface();
  if (!Handle()) return false;
  bool ok = GdipOk<GDIP(GdipDeleteGraphics)>(Handle());
  SetNativeHandle(nullptr);
  return ok;
}

bool GxGraphics::CreateFromImage(const GxImage& image) {
  if (Handle()) Delete();
  bool ok = GdipOk<GDIP(GdipGetImageGraphicsContext)>(ImageOf(image), NativeSlot<GpGraphics>());
  SetNativeHandle(Handle());
  return ok;
}

bool GxGraphics::SetInterpolationMode(InterpolationMode mode) {
  return GdipOk<GDIP(GdipSetInterpolationMode)>(Handle(), mode);
}

bool GxGraphics::DrawLine(const GxPen& pen, float x1, float y1, float x2, float y2) {
  return GdipOk<GDIP(GdipDrawLine)>(Handle(), PenOf(pen), x1, y1, x2, y2);
}

bool GxGraphics::DrawRectangle(const GxPen& pen, float x, float y, float width, float height) {
  return GdipOk<GDIP(GdipDrawRectangle)>(Handle(), PenOf(pen), x, y, width, height);
}

bool GxGraphics::DrawPath(const GxPen& pen, const GxPath& path) {
  return GdipOk<GDIP(GdipDrawPath)>(Handle(), PenOf(pen), NativeOf<GpPath>(path));
}

bool GxGraphics::ClearToBlack(int penStyle) {
  if (!Handle() || !memoryDC_) return false;
  HPEN pen = CreatePen(penStyle, 0, RGB(0, 0, 0));
  HGDIOBJ previousPen = SelectObject(memoryDC_, pen);
  HGDIOBJ previousBrush = SelectObject(memoryDC_, GetStockObject(BLACK_BRUSH));
  Rectangle(memoryDC_, 0, 0, surfaceWidth_, surfaceHeight_);
  SelectObject(memoryDC_, previousBrush);
  SelectObject(memoryDC_, previousPen);
  DeleteObject(pen);
  return true;
}

bool GxGraphics::FillRectangle(const GxSolidBrush& brush, float x, float y, float width, float height) {
  return GdipOk<GDIP(GdipFillRectangle)>(Handle(), BrushOf(brush), x, y, width, height);
}

bool GxGraphics::FillPath(const GxSolidBrush& brush, const GxPath& path) {
  return GdipOk<GDIP(GdipFillPath)>(Handle(), BrushOf(brush), NativeOf<GpPath>(path));
}

bool GxGraphics::DrawString(const std::string& text, const GxFont& font, const GxSolidBrush& brush,
                            const GxRectF& layoutRect, const GxStringFormat* format) {
  const std::wstring wide = AnsiToWide(text);
  const WideArg arg(wide);
  return GdipOk<GDIP(GdipDrawString)>(Handle(), arg.text, arg.length, NativeOf<GpFont>(font), &NativeRect(layoutRect),
                                      NativeOf<GpStringFormat>(format), BrushOf(brush));
}

bool GxGraphics::DrawImageStretched(const GxImage& image, float x, float y, float width, float height, Unit srcUnit) {
  UINT imageWidth = 0, imageHeight = 0;
  Gdip<GDIP(GdipGetImageWidth)>(ImageOf(image), &imageWidth);
  Gdip<GDIP(GdipGetImageHeight)>(ImageOf(image), &imageHeight);
  return GdipOk<GDIP(GdipDrawImageRectRect)>(Handle(), ImageOf(image), x, y, width, height, 0.0f, 0.0f,
                                             static_cast<REAL>(imageWidth), static_cast<REAL>(imageHeight), srcUnit,
                                             nullptr, nullptr, nullptr);
}

bool GxGraphics::DrawImageRectRect(const GxImage& image, float dstX, float dstY, float dstWidth, float dstHeight,
                                   float srcX, float srcY, float srcWidth, float srcHeight, Unit srcUnit,
                                   const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipDrawImageRectRect)>(Handle(), ImageOf(image), dstX, dstY, dstWidth, dstHeight, srcX, srcY,
                                             srcWidth, srcHeight, srcUnit, NativeOf<GpImageAttributes>(attributes),
                                             nullptr, nullptr);
}
