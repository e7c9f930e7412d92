#include "gx/ImageEncoders.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "gx/GuidText.h"
#include "gx/GxArgumentGuards.h"
#include "gx/GxObject.h"

namespace {

static_assert(sizeof(Gdiplus::ImageCodecInfo) == (sizeof(void*) == 4 ? 76 : 104), "ImageCodecInfo layout");
static_assert(sizeof(Gdiplus::EncoderParameter) == (sizeof(void*) == 4 ? 28 : 32), "EncoderParameter layout");

Bytes CopyBytes(const void* source, std::int64_t count) {
  if (!source || count <= 0) return Bytes();
  const auto* first = static_cast<const std::uint8_t*>(source);
  return Bytes(first, first + count);
}

EncoderInfo ToEncoderInfo(const Gdiplus::ImageCodecInfo& codec) {
  EncoderInfo info;
  info.clsid = GuidToText(codec.Clsid);
  info.formatId = GuidToText(codec.FormatID);
  info.codecName = WideToText(codec.CodecName);
  info.dllName = WideToText(codec.DllName);
  info.formatDescription = WideToText(codec.FormatDescription);
  info.filenameExtension = WideToText(codec.FilenameExtension);
  info.mimeType = WideToText(codec.MimeType);
  info.flags = static_cast<std::int32_t>(codec.Flags);
  info.version = static_cast<std::int32_t>(codec.Version);
  info.sigCount = static_cast<std::int32_t>(codec.SigCount);
  info.sigSize = static_cast<std::int32_t>(codec.SigSize);
  const std::int64_t sigBytes = static_cast<std::int64_t>(codec.SigCount) * codec.SigSize;
  info.sigPattern = CopyBytes(codec.SigPattern, sigBytes);
  info.sigMask = CopyBytes(codec.SigMask, sigBytes);
  return info;
}

std::int64_t ValueBytes(std::int32_t valueCount, std::int32_t valueType) {
  return static_cast<std::int64_t>(std::max(valueCount, 0)) * EncoderValueSize(valueType);
}

}  // namespace

int GetImageEncoders(std::vector<EncoderInfo>& encoders) {
  UINT count = 0, size = 0;
  if (Gdip<GDIP(GdipGetImageEncodersSize)>(&count, &size) != GxOk) return 0;
  encoders.assign(count, EncoderInfo());
  if (count == 0) return 0;
  // ImageCodecInfo records first, then the strings and signatures they point to.
  std::vector<Gdiplus::ImageCodecInfo> buffer((size + sizeof(Gdiplus::ImageCodecInfo) - 1) /
                                              sizeof(Gdiplus::ImageCodecInfo));
  if (Gdip<GDIP(GdipGetImageEncoders)>(count, size, buffer.data()) != GxOk) return static_cast<int>(count);
  for (UINT i = 0; i < count && i < buffer.size(); ++i) encoders[i] = ToEncoderInfo(buffer[i]);
  return static_cast<int>(count);
}

std::string FindEncoderClsid(const std::string& formatGuidText) {
  std::vector<EncoderInfo> encoders;
  GetImageEncoders(encoders);
  for (const EncoderInfo& encoder : encoders)
    if (encoder.formatId == formatGuidText) return encoder.clsid;
  return std::string();
}

int EncoderValueSize(int valueType) {
  switch (valueType) {
    case Gdiplus::EncoderParameterValueTypeByte:
    case Gdiplus::EncoderParameterValueTypeASCII:
    case Gdiplus::EncoderParameterValueTypeUndefined:
      return 1;
    case Gdiplus::EncoderParameterValueTypeShort:
      return 2;
    case Gdiplus::EncoderParameterValueTypeLong:
      return 4;
    case Gdiplus::EncoderParameterValueTypeRational:
    case Gdiplus::EncoderParameterValueTypeLongRange:
      return 8;
    case Gdiplus::EncoderParameterValueTypeRationalRange:
      return 16;
    default:
      return 0;
  }
}

EncoderParameterBlock::EncoderParameterBlock(const std::vector<EncoderParam>& parameters)
    : status_(Build(parameters)) {}

int EncoderParameterBlock::Build(const std::vector<EncoderParam>& parameters) {
  if (!Allocated([&] {
        values_.resize(parameters.size());
        words_.assign(1 + parameters.size() * 7, 0);
      }))
    return GxOutOfMemory;
  words_[0] = static_cast<std::uint32_t>(parameters.size());
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    const EncoderParam& parameter = parameters[i];
    // A negative count would reach GDI+ as some four thousand million values.
    if (parameter.valueCount < 0) return GxInvalidParameter;
    Bytes& values = values_[i];
    const std::int64_t promised = ValueBytes(parameter.valueCount, parameter.valueType);
    if (static_cast<std::uint64_t>(promised) > std::numeric_limits<std::size_t>::max()) return GxOutOfMemory;
    if (!Allocated([&] {
          values = parameter.values;
          if (promised > static_cast<std::int64_t>(values.size())) values.resize(static_cast<std::size_t>(promised), 0);
        }))
      return GxOutOfMemory;

    Gdiplus::EncoderParameter native{};
    native.Guid = TextToGuid(parameter.guid);
    native.NumberOfValues = static_cast<ULONG>(parameter.valueCount);
    native.Type = static_cast<ULONG>(parameter.valueType);
    native.Value = values.empty() ? nullptr : values.data();
    std::memcpy(&words_[1 + i * 7], &native, sizeof native);
  }
  return GxOk;
}

const Gdiplus::EncoderParameters* EncoderParameterBlock::Get() const {
  return reinterpret_cast<const Gdiplus::EncoderParameters*>(words_.data());
}

std::vector<EncoderParam> ReadEncoderParameters(const Gdiplus::EncoderParameters& block, std::size_t size) {
  const std::size_t room = size < sizeof(UINT) ? 0 : (size - sizeof(UINT)) / sizeof(Gdiplus::EncoderParameter);
  std::vector<EncoderParam> parameters(std::min<std::size_t>(block.Count, room));
  const auto* natives = block.Parameter;
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    const Gdiplus::EncoderParameter& native = natives[i];
    EncoderParam& parameter = parameters[i];
    parameter.guid = GuidToText(native.Guid);
    parameter.valueCount = static_cast<std::int32_t>(native.NumberOfValues);
    parameter.valueType = static_cast<std::int32_t>(native.Type);
    parameter.values = CopyBytes(native.Value, ValueBytes(parameter.valueCount, parameter.valueType));
  }
  return parameters;
}
