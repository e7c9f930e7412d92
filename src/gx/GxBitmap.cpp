#include "gx/GxBitmap.h"

#include "gx/GxArgumentGuards.h"
#include "gx/GxGraphics.h"
#include "gx/GxHandOver.h"
#include "gx/GxText.h"

using Gdiplus::GpBitmap;

GxBitmap::~GxBitmap() { Delete(); }

bool GxBitmap::Delete() {
  if (!GetNativeHandle()) return false;
  const int status = DisposeImage();
  bitmapStream_.Release();
  return status == GxOk;
}

bool GxBitmap::LoadFromFile(const std::string& fileName, bool useIcm) {
  const std::wstring name = Utf8ToWide(fileName);
  return LoadBitmapFile(name.c_str(), useIcm);
}

bool GxBitmap::LoadFromFileW(const std::wstring& fileName, bool useIcm) {
  return LoadBitmapFile(WideOrNull(fileName), useIcm);
}

bool GxBitmap::LoadBitmapFile(const wchar_t* name, bool useIcm) {
  if (GetNativeHandle()) Delete();
  const int status = useIcm ? Gdip<GDIP(GdipCreateBitmapFromFileICM)>(name, NativeSlot<GpBitmap>())
                            : Gdip<GDIP(GdipCreateBitmapFromFile)>(name, NativeSlot<GpBitmap>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

bool GxBitmap::LoadFromBytes(const Bytes& bytes, bool useIcm) {
  if (GetNativeHandle()) Delete();
  IStream* stream = bitmapStream_.CreateFromBytes(bytes);
  const int status = useIcm ? Gdip<GDIP(GdipCreateBitmapFromStreamICM)>(stream, NativeSlot<GpBitmap>())
                            : Gdip<GDIP(GdipCreateBitmapFromStream)>(stream, NativeSlot<GpBitmap>());
  SetNativeHandle(GetNativeHandle());
  if (!GetNativeHandle()) bitmapStream_.Release();  // no bitmap reads these bytes
  return status == GxOk;
}

bool GxBitmap::CreateFromScan0(int width, int height, int stride, int pixelFormat, void* scan0) {
  if (GetNativeHandle()) Delete();
  if (!BitmapSizeFits(width, height, pixelFormat, stride)) return false;
  const int status = Gdip<GDIP(GdipCreateBitmapFromScan0)>(width, height, stride, pixelFormat,
                                                           static_cast<BYTE*>(scan0), NativeSlot<GpBitmap>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

bool GxBitmap::Create(int width, int height, int pixelFormat) {
  return CreateFromScan0(width, height, 0, pixelFormat, nullptr);
}

bool GxBitmap::CreateFromGraphics(int width, int height, const GxGraphics& graphics) {
  if (GetNativeHandle()) Delete();
  if (!BitmapSizeFits(width, height, PixelFormat32bppPARGB)) return false;
  const int status = Gdip<GDIP(GdipCreateBitmapFromGraphics)>(
      width, height, NativeOf<Gdiplus::GpGraphics>(graphics), NativeSlot<GpBitmap>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

bool GxBitmap::CreateFromGdiDib(const BITMAPINFO* bitmapInfo, void* bits) {
  if (GetNativeHandle()) Delete();
  const int status = Gdip<GDIP(GdipCreateBitmapFromGdiDib)>(bitmapInfo, bits, NativeSlot<GpBitmap>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

bool GxBitmap::CreateFromHBITMAP(HBITMAP hbitmap, HPALETTE hpalette) {
  if (GetNativeHandle()) Delete();
  const int status = Gdip<GDIP(GdipCreateBitmapFromHBITMAP)>(hbitmap, hpalette, NativeSlot<GpBitmap>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

bool GxBitmap::CreateFromHICON(HICON hicon) {
  if (GetNativeHandle()) Delete();
  const int status = Gdip<GDIP(GdipCreateBitmapFromHICON)>(hicon, NativeSlot<GpBitmap>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

bool GxBitmap::CreateFromResource(HINSTANCE instance, const std::string& resourceName) {
  if (GetNativeHandle()) Delete();
  const std::wstring name = Utf8ToWide(resourceName);
  const int status = Gdip<GDIP(GdipCreateBitmapFromResource)>(instance, name.c_str(), NativeSlot<GpBitmap>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

HBITMAP GxBitmap::GetHBITMAP(std::uint32_t background) const {
  HBITMAP hbitmap = nullptr;
  if (Gdip<GDIP(GdipCreateHBITMAPFromBitmap)>(Bitmap(), &hbitmap, background) != GxOk) return nullptr;
  return hbitmap;
}

HICON GxBitmap::GetHICON() const {
  HICON hicon = nullptr;
  if (Gdip<GDIP(GdipCreateHICONFromBitmap)>(Bitmap(), &hicon) != GxOk) return nullptr;
  return hicon;
}

bool GxBitmap::CloneArea(const GxRectF& rect, int pixelFormat, GxBitmap& target) const {
  GpBitmap* area = nullptr;
  const int status = Gdip<GDIP(GdipCloneBitmapArea)>(rect.x, rect.y, rect.width, rect.height, pixelFormat,
                                                     Bitmap(), &area);
  return HandOver(target, area, status);
}

bool GxBitmap::CloneAreaI(const GxRect& rect, int pixelFormat, GxBitmap& target) const {
  GpBitmap* area = nullptr;
  const int status = Gdip<GDIP(GdipCloneBitmapAreaI)>(rect.x, rect.y, rect.width, rect.height, pixelFormat,
                                                      Bitmap(), &area);
  return HandOver(target, area, status);
}

bool GxBitmap::LockBits(const GxRect& rect, int flags, int pixelFormat, Gdiplus::BitmapData& lockedData) {
  const Gdiplus::GpRect native(rect.x, rect.y, rect.width, rect.height);
  return GdipOk<GDIP(GdipBitmapLockBits)>(Bitmap(), &native, static_cast<UINT>(flags), pixelFormat, &lockedData);
}

bool GxBitmap::UnlockBits(Gdiplus::BitmapData& lockedData) {
  return GdipOk<GDIP(GdipBitmapUnlockBits)>(Bitmap(), &lockedData);
}

std::uint32_t GxBitmap::GetPixel(int x, int y) const {
  Gdiplus::ARGB color = 0;
  if (Gdip<GDIP(GdipBitmapGetPixel)>(Bitmap(), x, y, &color) != GxOk) return 0;
  return color;
}

bool GxBitmap::SetPixel(int x, int y, std::uint32_t argb) {
  return GdipOk<GDIP(GdipBitmapSetPixel)>(Bitmap(), x, y, static_cast<Gdiplus::ARGB>(argb));
}

bool GxBitmap::SetResolution(float dpiX, float dpiY) {
  return GdipOk<GDIP(GdipBitmapSetResolution)>(Bitmap(), dpiX, dpiY);
}

bool GxBitmap::ApplyEffect(GxEffect& effect, RECT* regionOfInterest, bool useRegion) {
  effect.FreeAuxData();
  void* auxData = nullptr;
  INT auxDataSize = 0;
  const int status = Gdip<GDIP(GdipBitmapApplyEffect)>(Bitmap(), effect.GetNativeHandle(),
                                                       useRegion ? regionOfInterest : nullptr,
                                                       effect.GetUseAuxData() ? TRUE : FALSE, &auxData, &auxDataSize);
  effect.SetAuxData(auxData, auxDataSize);
  return status == GxOk;
}
