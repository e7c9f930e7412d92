#include "gx/GxImage.h"

#include <algorithm>
#include <cstring>

#include "gx/GuidText.h"
#include "gx/GxArgumentGuards.h"
#include "gx/GxHandOver.h"
#include "gx/GxText.h"

using Gdiplus::GpImage;

namespace {

// The EncoderParameters block to pass: none when the caller gave no list.
class OptionalParameters {
 public:
  explicit OptionalParameters(const std::vector<EncoderParam>* parameters)
      : block_(parameters ? *parameters : std::vector<EncoderParam>()), given_(parameters != nullptr) {}
  const Gdiplus::EncoderParameters* Get() const { return given_ ? block_.Get() : nullptr; }
  int Status() const { return block_.Status(); }

 private:
  EncoderParameterBlock block_;
  bool given_;
};

CLSID EncoderFor(const std::string& formatGuidText) { return TextToGuid(FindEncoderClsid(formatGuidText)); }

// A parameter block GDI+ must not see: its status goes to LastStatus and the call is not made.
template <typename Block>
bool Refused(const Block& parameters) {
  if (parameters.Status() == GxOk) return false;
  LastStatus = parameters.Status();
  return true;
}

}  // namespace

GxImage::~GxImage() { Delete(); }  // this level's Delete: a derived level has run its own already

bool GxImage::Delete() {
  if (!GetNativeHandle()) return false;
  const int status = DisposeImage();
  stream_.Release();
  return status == GxOk;
}

int GxImage::DisposeImage() {
  const int status = Gdip<GDIP(GdipDisposeImage)>(Image());
  SetNativeHandle(nullptr);
  return status;
}

bool GxImage::LoadFromFile(const std::string& fileName, bool useIcm) {
  const std::wstring name = Utf8ToWide(fileName);
  return LoadFile(name.c_str(), useIcm);
}

bool GxImage::LoadFromFileW(const std::wstring& fileName, bool useIcm) {
  return LoadFile(WideOrNull(fileName), useIcm);
}

bool GxImage::LoadFile(const wchar_t* name, bool useIcm) {
  if (GetNativeHandle()) Delete();
  const int status = useIcm ? Gdip<GDIP(GdipLoadImageFromFileICM)>(name, NativeSlot<GpImage>())
                            : Gdip<GDIP(GdipLoadImageFromFile)>(name, NativeSlot<GpImage>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

bool GxImage::LoadFromBytes(const Bytes& bytes, bool useIcm) {
  if (GetNativeHandle()) Delete();
  IStream* stream = stream_.CreateFromBytes(bytes);
  const int status = useIcm ? Gdip<GDIP(GdipLoadImageFromStreamICM)>(stream, NativeSlot<GpImage>())
                            : Gdip<GDIP(GdipLoadImageFromStream)>(stream, NativeSlot<GpImage>());
  SetNativeHandle(GetNativeHandle());
  if (!GetNativeHandle()) stream_.Release();  // no image reads these bytes
  return status == GxOk;
}

bool GxImage::Clone(GxImage& target) const {
  GpImage* copy = nullptr;
  const int status = Gdip<GDIP(GdipCloneImage)>(Image(), &copy);
  return HandOver(target, copy, status);
}

bool GxImage::SaveToFile(const std::string& fileName, std::string& formatGuidText, bool formatGiven,
                         const std::vector<EncoderParam>* parameters) {
  if (!formatGiven) formatGuidText = GetRawFormat();
  const CLSID clsid = EncoderFor(formatGuidText);
  OptionalParameters native(parameters);
  if (Refused(native)) return false;
  const std::wstring name = Utf8ToWide(fileName);
  return GdipOk<GDIP(GdipSaveImageToFile)>(Image(), name.c_str(), &clsid, native.Get());
}

bool GxImage::SaveToFileW(const std::wstring& fileName, std::string& formatGuidText, bool formatGiven,
                          const std::vector<EncoderParam>* parameters) {
  if (!formatGiven) formatGuidText = kBmpFormat;
  const CLSID clsid = EncoderFor(formatGuidText);
  OptionalParameters native(parameters);
  if (Refused(native)) return false;
  return GdipOk<GDIP(GdipSaveImageToFile)>(Image(), WideOrNull(fileName), &clsid, native.Get());
}

Bytes GxImage::SaveToBytes(std::string& formatGuidText, bool formatGiven, const std::vector<EncoderParam>* parameters) {
  if (!formatGiven) formatGuidText = GetRawFormat();
  const CLSID clsid = EncoderFor(formatGuidText);
  OptionalParameters native(parameters);
  if (Refused(native)) return Bytes();
  GxMemoryStream stream;
  stream.CreateFromBytes(Bytes());
  Gdip<GDIP(GdipSaveImageToStream)>(Image(), stream.GetStream(), &clsid, native.Get());
  return stream.ToBytes();
}

bool GxImage::SaveAdd(const std::vector<EncoderParam>& parameters) {
  EncoderParameterBlock native(parameters);
  if (Refused(native)) return false;
  return GdipOk<GDIP(GdipSaveAdd)>(Image(), native.Get());
}

bool GxImage::SaveAddImage(const GxImage& image, const std::vector<EncoderParam>& parameters) {
  EncoderParameterBlock native(parameters);
  if (Refused(native)) return false;
  return GdipOk<GDIP(GdipSaveAddImage)>(Image(), NativeOf<GpImage>(image), native.Get());
}

bool GxImage::GetEncoderParameterList(const std::string& formatGuidText, std::vector<EncoderParam>& list) {
  const CLSID clsid = EncoderFor(formatGuidText);
  UINT size = 0;
  if (Gdip<GDIP(GdipGetEncoderParameterListSize)>(Image(), &clsid, &size) != GxOk) return false;
  std::vector<std::uint32_t> words(std::max<UINT>(1, (size + 3) / 4), 0);
  auto* block = reinterpret_cast<Gdiplus::EncoderParameters*>(words.data());
  if (Gdip<GDIP(GdipGetEncoderParameterList)>(Image(), &clsid, size, block) != GxOk) return false;
  list = ReadEncoderParameters(*block, size);
  return true;
}

std::string GxImage::GetRawFormat() const {
  GUID format{};
  if (Gdip<GDIP(GdipGetImageRawFormat)>(Image(), &format) != GxOk) return std::string();
  return GuidToText(format);
}

GxRectF GxImage::GetBounds(Gdiplus::Unit& unit) const {
  Gdiplus::GpRectF rect{};
  unit = Gdiplus::UnitWorld;
  Gdip<GDIP(GdipGetImageBounds)>(Image(), &rect, &unit);
  return GxRectF{rect.X, rect.Y, rect.Width, rect.Height};
}

GxSizeF GxImage::GetDimension() const {
  Gdiplus::REAL width = 0, height = 0;
  Gdip<GDIP(GdipGetImageDimension)>(Image(), &width, &height);
  return GxSizeF{width, height};
}

int GxImage::GetType() const {
  Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
  Gdip<GDIP(GdipGetImageType)>(Image(), &type);
  return type;
}

int GxImage::GetWidth() const {
  UINT width = 0;
  Gdip<GDIP(GdipGetImageWidth)>(Image(), &width);
  return static_cast<int>(width);
}

int GxImage::GetHeight() const {
  UINT height = 0;
  Gdip<GDIP(GdipGetImageHeight)>(Image(), &height);
  return static_cast<int>(height);
}

float GxImage::GetHorizontalResolution() const {
  Gdiplus::REAL dpi = 0;
  Gdip<GDIP(GdipGetImageHorizontalResolution)>(Image(), &dpi);
  return dpi;
}

float GxImage::GetVerticalResolution() const {
  Gdiplus::REAL dpi = 0;
  Gdip<GDIP(GdipGetImageVerticalResolution)>(Image(), &dpi);
  return dpi;
}

int GxImage::GetFlags() const {
  UINT flags = 0;
  Gdip<GDIP(GdipGetImageFlags)>(Image(), &flags);
  return static_cast<int>(flags);
}

int GxImage::GetPixelFormat() const {
  Gdiplus::PixelFormat format = 0;
  Gdip<GDIP(GdipGetImagePixelFormat)>(Image(), &format);
  return format;
}

bool GxImage::GetThumbnail(int width, int height, GxImage& target) const {
  if (!BitmapSizeFits(width, height, PixelFormat32bppPARGB)) return false;
  GpImage* thumbnail = nullptr;
  const int status = Gdip<GDIP(GdipGetImageThumbnail)>(Image(), static_cast<UINT>(width), static_cast<UINT>(height),
                                                       &thumbnail, nullptr, nullptr);
  return HandOver(target, thumbnail, status);
}

int GxImage::GetFrameCount(const std::string& dimensionGuidText) const {
  const GUID dimension = TextToGuid(dimensionGuidText);
  UINT count = 0;
  Gdip<GDIP(GdipImageGetFrameCount)>(Image(), &dimension, &count);
  return static_cast<int>(count);
}

int GxImage::GetFrameDimensionsList(std::vector<std::string>& list) const {
  UINT count = 0;
  if (Gdip<GDIP(GdipImageGetFrameDimensionsCount)>(Image(), &count) != GxOk) return 0;
  std::vector<GUID> dimensions(count, GUID{});
  Gdip<GDIP(GdipImageGetFrameDimensionsList)>(Image(), dimensions.empty() ? nullptr : dimensions.data(), count);
  list.clear();
  for (const GUID& dimension : dimensions) list.push_back(GuidToText(dimension));
  return static_cast<int>(count);
}

bool GxImage::SelectActiveFrame(const std::string& dimensionGuidText, int frameIndex) {
  const GUID dimension = TextToGuid(dimensionGuidText);
  return GdipOk<GDIP(GdipImageSelectActiveFrame)>(Image(), &dimension, static_cast<UINT>(frameIndex));
}

bool GxImage::GetFrameDelays(std::vector<int>& delays) const {
  GxPropertyItem item;
  if (!GetPropertyItem(PropertyTagFrameDelay, item)) return false;
  const std::size_t count = std::min<std::size_t>(std::max(item.length, 0), item.value.size()) / 4;
  delays.assign(count, 0);
  if (count > 0) std::memcpy(delays.data(), item.value.data(), count * 4);
  return true;
}

bool GxImage::GetPropertyItem(int propertyId, GxPropertyItem& item) const {
  UINT size = 0;
  if (Gdip<GDIP(GdipGetPropertyItemSize)>(Image(), static_cast<PROPID>(propertyId), &size) != GxOk) return false;
  // The item record comes first, its value right after it in the same block.
  std::vector<std::uint32_t> words(std::max<std::size_t>((size + 3) / 4, sizeof(Gdiplus::PropertyItem) / 4), 0);
  auto* native = reinterpret_cast<Gdiplus::PropertyItem*>(words.data());
  if (Gdip<GDIP(GdipGetPropertyItem)>(Image(), static_cast<PROPID>(propertyId), size, native) != GxOk) return false;
  item = ToPropertyItem(*native);
  return true;
}

bool GxImage::SetPropertyItem(const GxPropertyItem& item) {
  Bytes value = item.value;
  Gdiplus::PropertyItem native{};
  native.id = static_cast<PROPID>(item.id);
  // Never let GDI+ read past the bytes the record holds.
  native.length = static_cast<ULONG>(std::min<std::size_t>(std::max(item.length, 0), value.size()));
  native.type = static_cast<WORD>(item.type);
  native.value = value.empty() ? nullptr : value.data();
  return GdipOk<GDIP(GdipSetPropertyItem)>(Image(), &native);
}

bool GxImage::RemovePropertyItem(int propertyId) {
  return GdipOk<GDIP(GdipRemovePropertyItem)>(Image(), static_cast<PROPID>(propertyId));
}

int GxImage::GetPropertyIdList(std::vector<int>& ids) const {
  UINT count = 0;
  if (Gdip<GDIP(GdipGetPropertyCount)>(Image(), &count) != GxOk) return 0;
  std::vector<PROPID> native(count, 0);
  Gdip<GDIP(GdipGetPropertyIdList)>(Image(), count, native.empty() ? nullptr : native.data());
  ids.assign(native.begin(), native.end());
  return static_cast<int>(count);
}

bool GxImage::RotateFlip(Gdiplus::RotateFlipType type) { return GdipOk<GDIP(GdipImageRotateFlip)>(Image(), type); }

bool GxImage::GetPalette(GxPalette& palette) const {
  INT size = 0;
  if (Gdip<GDIP(GdipGetImagePaletteSize)>(Image(), &size) != GxOk) return false;
  const int headerBytes = 2 * sizeof(UINT);
  NativePalette native(size > headerBytes ? (size - headerBytes + 3) / 4 : 0);
  if (Gdip<GDIP(GdipGetImagePalette)>(Image(), native.Get(), size) != GxOk) return false;
  palette = native.ToPalette();
  return true;
}

bool GxImage::SetPalette(const GxPalette& palette) {
  NativePalette native(palette);
  return GdipOk<GDIP(GdipSetImagePalette)>(Image(), native.Get());
}
