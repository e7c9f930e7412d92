#pragma once
// The installed GDI+ image encoders, the lookup of an encoder by image format, and encoder
// parameters in both directions: the list callers pass in, and the EncoderParameters block the
// flat API wants (count, then per parameter GUID, NumberOfValues, Type, Value address).

#include <cstdint>
#include <string>
#include <vector>

#include "gx/GdiplusApi.h"
#include "gx/GxTypes.h"

// One installed encoder, read from a GDI+ ImageCodecInfo record.
struct EncoderInfo {
  std::string clsid;
  std::string formatId;
  std::string codecName;
  std::string dllName;
  std::string formatDescription;
  std::string filenameExtension;
  std::string mimeType;
  std::int32_t flags = 0;
  std::int32_t version = 0;
  std::int32_t sigCount = 0;
  std::int32_t sigSize = 0;
  Bytes sigPattern;  // sigCount x sigSize bytes
  Bytes sigMask;
};

// One encoder parameter; values holds valueCount values of the size EncoderValueSize gives.
struct EncoderParam {
  std::string guid;
  std::int32_t valueCount = 0;
  std::int32_t valueType = 0;  // GDI+ EncoderParameterValueType
  Bytes values;
};

// Replaces the list by the installed encoders and returns their count. When GDI+ cannot say how
// many there are, returns 0 and leaves the list as it was.
int GetImageEncoders(std::vector<EncoderInfo>& encoders);

// CLSID text of the first encoder for the image format, or "" when none matches exactly.
std::string FindEncoderClsid(const std::string& formatGuidText);

// Bytes per value of an EncoderParameterValueType; 0 for a type GDI+ does not define.
int EncoderValueSize(int valueType);

// The native EncoderParameters block for one call. The value bytes are copied (and padded with
// zeros up to what valueCount and valueType promise, so GDI+ never reads past them) and live
// as long as the block. A block that cannot keep that promise is not to be passed on: Status
// says InvalidParameter for a negative count, OutOfMemory for values no memory can hold.
class EncoderParameterBlock {
 public:
  explicit EncoderParameterBlock(const std::vector<EncoderParam>& parameters);
  EncoderParameterBlock(const EncoderParameterBlock&) = delete;
  EncoderParameterBlock& operator=(const EncoderParameterBlock&) = delete;

  const Gdiplus::EncoderParameters* Get() const;
  int Status() const { return status_; }

 private:
  int Build(const std::vector<EncoderParam>& parameters);

  std::vector<Bytes> values_;
  std::vector<std::uint64_t> words_;  // 64-bit words keep the block aligned for its pointers
  int status_;
};

// The parameters of a native EncoderParameters block of `size` bytes, with copies of their
// values. Records that would lie beyond the block are not read.
std::vector<EncoderParam> ReadEncoderParameters(const Gdiplus::EncoderParameters& block, std::size_t size);
