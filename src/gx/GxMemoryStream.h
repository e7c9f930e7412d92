#pragma once
// A COM stream over a movable global memory block: the bridge between byte arrays and the
// streams GDI+ loads from and saves to. The object owns both the stream and the block; the
// stream never frees the block itself, so releasing them here happens exactly once.

#include <windows.h>
#include <objidl.h>

#include <cstddef>

#include "gx/GxTypes.h"

class GxMemoryStream {
 public:
  GxMemoryStream() = default;
  ~GxMemoryStream();
  GxMemoryStream(GxMemoryStream&& other) noexcept;
  GxMemoryStream& operator=(GxMemoryStream&& other) noexcept;
  GxMemoryStream(const GxMemoryStream&) = delete;
  GxMemoryStream& operator=(const GxMemoryStream&) = delete;

  // A new stream at position 0 whose block holds the bytes (the first `size` of them when a size
  // is given; a size beyond the bytes leaves the rest of the block zero).
  IStream* CreateFromBytes(const Bytes& bytes, std::size_t size = 0, bool sizeGiven = false);
  void Release();
  // Size of the memory block, which may exceed what was written to the stream.
  int GetSize() const;
  IStream* GetStream() const { return stream_; }
  HGLOBAL GetHandle() const { return block_; }
  // Takes over one reference to a stream made by CreateStreamOnHGlobal with fDeleteOnRelease
  // FALSE, and its block. True when the stream had a block.
  bool AttachStream(IStream* stream);
  // Exactly the bytes of the stream (its own size, not the block's).
  Bytes ToBytes() const;

 private:
  HGLOBAL block_ = nullptr;
  mutable void* locked_ = nullptr;  // the block while it is locked for copying
  IStream* stream_ = nullptr;
};
