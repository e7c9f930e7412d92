// The memory surface of GxGraphics: a memory DC with a 32-bit DIB section selected into it and a
// GDI+ graphics over that DC, so the same pixels can be drawn with GDI+, blitted and blended with
// GDI, and handed to UpdateLayeredWindow.

#include "gx/GxGraphics.h"

#include "gx/GxBitmap.h"

namespace {

// A blit's result in the wrappers' convention: GDI reports failure as zero, which becomes
// GenericError in LastStatus; success leaves LastStatus alone.
bool BlitResult(BOOL result) {
  if (result) return true;
  LastStatus = GxGenericError;
  return false;
}

}  // namespace

bool GxGraphics::CreateSurface(int width, int height) {
  Delete();
  const bool made = surface_.Create(width, height);
  // Not CreateWith: its Delete would release the surface just made.
  bool ok = GdipOk<GDIP(GdipCreateFromHDC)>(surface_.DC(), NativeSlot<Gdiplus::GpGraphics>());
  SetNativeHandle(Handle());
  if (ok && !made) {
    // GDI+ happily draws on the DC's 1 x 1 default bitmap; that is no surface of the asked size.
    LastStatus = GxGenericError;
    return false;
  }
  return ok;
}

bool GxGraphics::ClearRect(int x, int y, int width, int height) {
  if (!Handle()) return false;
  GxGraphics zeros;  // a new surface is all zero bytes
  zeros.CreateSurface(width, height);
  // Constant alpha 255 without per-pixel alpha copies the source, alpha byte included.
  const bool ok = AlphaBlendFrom(zeros.GetSurfaceDC(), 0, 0, zeros.GetSurfaceWidth(), zeros.GetSurfaceHeight(), x, y,
                                 width, height, 255, 0);
  zeros.Delete();  // stores its own status, so the blend's failure is set again after it
  if (!ok) LastStatus = GxGenericError;
  return ok;
}

bool GxGraphics::BitBltFrom(HDC source, OptInt srcX, OptInt srcY, OptInt dstX, OptInt dstY, OptInt width,
                            OptInt height) {
  return BlitResult(BitBlt(surface_.DC(), dstX.value_or(0), dstY.value_or(0), width.value_or(surface_.Width()),
                           height.value_or(surface_.Height()), source, srcX.value_or(0), srcY.value_or(0), SRCCOPY));
}

bool GxGraphics::StretchBltFrom(HDC source, OptInt srcX, OptInt srcY, OptInt srcWidth, OptInt srcHeight, OptInt dstX,
                                OptInt dstY, OptInt dstWidth, OptInt dstHeight) {
  return BlitResult(StretchBlt(surface_.DC(), dstX.value_or(0), dstY.value_or(0), dstWidth.value_or(surface_.Width()),
                               dstHeight.value_or(surface_.Height()), source, srcX.value_or(0), srcY.value_or(0),
                               srcWidth.value_or(surface_.Width()), srcHeight.value_or(surface_.Height()), SRCCOPY));
}

bool GxGraphics::AlphaBlendFrom(HDC source, OptInt srcX, OptInt srcY, OptInt srcWidth, OptInt srcHeight, OptInt dstX,
                                OptInt dstY, OptInt dstWidth, OptInt dstHeight, OptInt alpha, OptInt perPixelAlpha) {
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.BlendFlags = 0;
  blend.SourceConstantAlpha = static_cast<BYTE>(alpha.value_or(255));
  blend.AlphaFormat = perPixelAlpha == 1 ? AC_SRC_ALPHA : 0;
  return BlitResult(AlphaBlend(surface_.DC(), dstX.value_or(0), dstY.value_or(0), dstWidth.value_or(surface_.Width()),
                               dstHeight.value_or(surface_.Height()), source, srcX.value_or(0), srcY.value_or(0),
                               srcWidth.value_or(surface_.Width()), srcHeight.value_or(surface_.Height()), blend));
}

bool GxGraphics::TransparentBltFrom(HDC source, OptInt srcX, OptInt srcY, OptInt srcWidth, OptInt srcHeight,
                                    OptInt dstX, OptInt dstY, OptInt dstWidth, OptInt dstHeight,
                                    OptInt transparentColor, OptInt useMsimg32) {
  auto blit = useMsimg32.value_or(0) != 0 ? &TransparentBlt : &GdiTransparentBlt;
  return BlitResult(blit(surface_.DC(), dstX.value_or(0), dstY.value_or(0), dstWidth.value_or(surface_.Width()),
                         dstHeight.value_or(surface_.Height()), source, srcX.value_or(0), srcY.value_or(0),
                         srcWidth.value_or(surface_.Width()), srcHeight.value_or(surface_.Height()),
                         static_cast<UINT>(transparentColor.value_or(0))));
}

// An empty format means JPEG, and the caller's text says so afterwards.
Bytes GxGraphics::EncodeSurface(std::string& formatGuidText) {
  GxBitmap bitmap;
  bitmap.CreateFromHBITMAP(surface_.Bitmap());
  if (formatGuidText.empty()) formatGuidText = kJpegFormat;
  return bitmap.SaveToBytes(formatGuidText, true);
}

COLORREF GxGraphics::GetSurfacePixel(int x, int y) const { return GetPixel(surface_.DC(), x, y); }

SurfaceBits GxGraphics::GetSurfaceBits() {
  if (Handle()) Flush(Gdiplus::FlushIntentionSync);
  GdiFlush();
  return surface_.Bits();
}
