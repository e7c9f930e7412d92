#include "gx/GxMemoryStream.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <utility>

GxMemoryStream::~GxMemoryStream() { Release(); }

GxMemoryStream::GxMemoryStream(GxMemoryStream&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)),
      locked_(std::exchange(other.locked_, nullptr)),
      stream_(std::exchange(other.stream_, nullptr)) {}

GxMemoryStream& GxMemoryStream::operator=(GxMemoryStream&& other) noexcept {
  if (this != &other) {
    Release();
    block_ = std::exchange(other.block_, nullptr);
    locked_ = std::exchange(other.locked_, nullptr);
    stream_ = std::exchange(other.stream_, nullptr);
  }
  return *this;
}

IStream* GxMemoryStream::CreateFromBytes(const Bytes& bytes, std::size_t size, bool sizeGiven) {
  Release();
  if (!sizeGiven) size = bytes.size();
  block_ = GlobalAlloc(GHND, size);
  if (!block_) return nullptr;
  CreateStreamOnHGlobal(block_, FALSE, &stream_);
  std::size_t count = std::min(size, bytes.size());
  if (count > 0) {
    locked_ = GlobalLock(block_);
    if (locked_) std::memcpy(locked_, bytes.data(), count);
    GlobalUnlock(block_);
    locked_ = nullptr;
  }
  return stream_;
}

void GxMemoryStream::Release() {
  if (stream_) stream_->Release();
  if (block_) GlobalFree(block_);
  stream_ = nullptr;
  block_ = nullptr;
  locked_ = nullptr;
}

int GxMemoryStream::GetSize() const { return block_ ? static_cast<int>(GlobalSize(block_)) : 0; }

bool GxMemoryStream::AttachStream(IStream* stream) {
  if (stream && stream == stream_) return block_ != nullptr;  // releasing it first would free it
  Release();
  if (!stream) return false;
  stream_ = stream;
  HGLOBAL block = nullptr;
  if (FAILED(GetHGlobalFromStream(stream, &block))) block = nullptr;
  block_ = block;
  return block_ != nullptr;
}

Bytes GxMemoryStream::ToBytes() const {
  if (!block_ || !stream_) return Bytes();
  STATSTG stat{};
  if (FAILED(stream_->Stat(&stat, STATFLAG_NONAME))) return Bytes();
  // The block may have grown past what was written; only the stream's own size is content.
  std::size_t size = std::min<std::size_t>(static_cast<std::size_t>(stat.cbSize.QuadPart), GlobalSize(block_));
  Bytes bytes(size);
  if (size == 0) return bytes;
  locked_ = GlobalLock(block_);
  if (locked_) std::memcpy(bytes.data(), locked_, size);
  else bytes.clear();
  GlobalUnlock(block_);
  locked_ = nullptr;
  return bytes;
}
