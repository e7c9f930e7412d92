#pragma once
// A GDI+ Image: loading from files and bytes, encoding to files and bytes with the encoder of an
// image format (given as GUID text), frames, properties and palettes.
//
// The stream member holds the bytes of the last LoadFromBytes: GDI+ may read them for as long
// as the image exists, so they are released only after the image has been disposed.

#include <string>
#include <vector>

#include "gx/GxImageRecords.h"
#include "gx/GxMemoryStream.h"
#include "gx/GxObject.h"
#include "gx/GxTypes.h"
#include "gx/ImageEncoders.h"

// Image-format GUID texts the program encodes to.
inline const std::string kPngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
inline const std::string kBmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
inline const std::string kJpegFormat = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
inline const std::string kGifFormat = "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}";

class GxImage : public GxObject {
 public:
  GxImage() = default;
  ~GxImage() override;

  // Disposes the image, then releases the bytes it was loaded from. False, with no call, when
  // empty.
  virtual bool Delete();
  virtual bool LoadFromFile(const std::string& fileName, bool useIcm = false);
  virtual bool LoadFromFileW(const std::wstring& fileName, bool useIcm = false);
  virtual bool LoadFromBytes(const Bytes& bytes, bool useIcm = false);
  // The copy goes to the target, which releases what it held before.
  bool Clone(GxImage& target) const;

  // Saving: when the format is not given, the caller's format text is replaced first, by the
  // image's raw format (SaveToFile, SaveToBytes) or by BMP (SaveToFileW). A format no encoder
  // serves still reaches GDI+, which refuses it. Parameters are passed only when given; one
  // promising a negative number of values, or more than memory holds, fails the call before
  // GDI+ sees it (InvalidParameter, OutOfMemory).
  bool SaveToFile(const std::string& fileName, std::string& formatGuidText, bool formatGiven = false,
                  const std::vector<EncoderParam>* parameters = nullptr);
  bool SaveToFileW(const std::wstring& fileName, std::string& formatGuidText, bool formatGiven = false,
                   const std::vector<EncoderParam>* parameters = nullptr);
  // The encoded bytes, or an empty array when nothing was written.
  Bytes SaveToBytes(std::string& formatGuidText, bool formatGiven = false,
                    const std::vector<EncoderParam>* parameters = nullptr);
  bool SaveAdd(const std::vector<EncoderParam>& parameters);
  bool SaveAddImage(const GxImage& image, const std::vector<EncoderParam>& parameters);
  // Replaces the list by the parameters the format's encoder supports for this image.
  bool GetEncoderParameterList(const std::string& formatGuidText, std::vector<EncoderParam>& list);

  // The format the image was loaded from as GUID text; "" on failure.
  std::string GetRawFormat() const;
  GxRectF GetBounds(Gdiplus::Unit& unit) const;
  GxSizeF GetDimension() const;
  int GetType() const;
  int GetWidth() const;
  int GetHeight() const;
  float GetHorizontalResolution() const;
  float GetVerticalResolution() const;
  int GetFlags() const;
  int GetPixelFormat() const;
  // The thumbnail goes to the target, as for Clone.
  bool GetThumbnail(int width, int height, GxImage& target) const;

  int GetFrameCount(const std::string& dimensionGuidText) const;
  // Replaces the list by the frame-dimension GUID texts; returns their count (0 on failure).
  int GetFrameDimensionsList(std::vector<std::string>& list) const;
  bool SelectActiveFrame(const std::string& dimensionGuidText, int frameIndex);
  // Frame delays (hundredths of a second) of an animated image, one per frame.
  bool GetFrameDelays(std::vector<int>& delays) const;

  bool GetPropertyItem(int propertyId, GxPropertyItem& item) const;
  bool SetPropertyItem(const GxPropertyItem& item);
  bool RemovePropertyItem(int propertyId);
  // Replaces the array by the ids of the image's properties; returns their count (0 on failure).
  int GetPropertyIdList(std::vector<int>& ids) const;

  bool RotateFlip(Gdiplus::RotateFlipType type);
  bool GetPalette(GxPalette& palette) const;
  bool SetPalette(const GxPalette& palette);

  bool IsValid() const { return GetNativeHandle() != nullptr; }

 protected:
  Gdiplus::GpImage* Image() const { return Native<Gdiplus::GpImage>(); }
  // Disposes the image and empties the wrapper; the status of the dispose call.
  int DisposeImage();

 private:
  bool LoadFile(const wchar_t* name, bool useIcm);

  GxMemoryStream stream_;
};
