// GxMemoryStream: bytes in, bytes out, and one owner for the stream and its block.

#include <gtest/gtest.h>

#include <utility>

#include "gx/GxMemoryStream.h"

namespace {

Bytes ReadAll(IStream* stream) {
  Bytes bytes(64, 0xEE);
  ULONG read = 0;
  stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  bytes.resize(read);
  return bytes;
}

}  // namespace

TEST(MemoryStream, CreateFromBytesReadsFromTheStart) {
  GxMemoryStream stream;
  const Bytes bytes = {1, 2, 3, 4, 5};
  IStream* com = stream.CreateFromBytes(bytes);
  ASSERT_NE(com, nullptr);
  EXPECT_EQ(com, stream.GetStream());
  EXPECT_EQ(stream.GetSize(), 5);
  EXPECT_EQ(ReadAll(com), bytes);

  stream.CreateFromBytes(bytes, 3, true);
  EXPECT_EQ(ReadAll(stream.GetStream()), (Bytes{1, 2, 3}));
  stream.CreateFromBytes(bytes, 7, true);
  EXPECT_EQ(ReadAll(stream.GetStream()), (Bytes{1, 2, 3, 4, 5, 0, 0})) << "a larger size is zero-filled";

  stream.Release();
  EXPECT_EQ(stream.GetStream(), nullptr);
  EXPECT_EQ(stream.GetHandle(), nullptr);
  EXPECT_TRUE(stream.ToBytes().empty());
}

TEST(MemoryStream, ToBytesCopiesTheStreamNotTheWholeBlock) {
  GxMemoryStream stream;
  IStream* com = stream.CreateFromBytes(Bytes());
  const Bytes written = {'d', 'a', 't', 'a'};
  ULONG count = 0;
  ASSERT_EQ(com->Write(written.data(), 4, &count), S_OK);
  EXPECT_EQ(stream.ToBytes(), written);

  // The block may hold more than the stream: memory blocks are rounded up, or grown ahead.
  ASSERT_EQ(GlobalReAlloc(stream.GetHandle(), 300, GMEM_MOVEABLE), stream.GetHandle());
  EXPECT_EQ(stream.GetSize(), 300);
  EXPECT_EQ(stream.ToBytes(), written);
}

TEST(MemoryStream, MovingHandsOverTheStreamOnce) {
  GxMemoryStream first;
  first.CreateFromBytes(Bytes{9, 8, 7});
  IStream* com = first.GetStream();
  GxMemoryStream second(std::move(first));
  EXPECT_EQ(first.GetStream(), nullptr);
  EXPECT_EQ(first.GetHandle(), nullptr);
  EXPECT_EQ(second.GetStream(), com);
  EXPECT_EQ(second.ToBytes(), (Bytes{9, 8, 7}));

  GxMemoryStream third;
  third.CreateFromBytes(Bytes{1});
  third = std::move(second);
  EXPECT_EQ(third.ToBytes(), (Bytes{9, 8, 7}));
}

TEST(MemoryStream, AttachStreamTakesTheStreamAndItsBlock) {
  HGLOBAL block = GlobalAlloc(GHND, 0);
  IStream* com = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &com), S_OK);
  const Bytes written = {4, 2};
  com->Write(written.data(), 2, nullptr);

  GxMemoryStream stream;
  EXPECT_TRUE(stream.AttachStream(com));
  EXPECT_EQ(stream.GetStream(), com);
  EXPECT_EQ(stream.GetHandle(), block);
  EXPECT_TRUE(stream.AttachStream(com)) << "attaching the held stream again keeps it";
  EXPECT_EQ(stream.ToBytes(), written);
  EXPECT_FALSE(stream.AttachStream(nullptr));
  EXPECT_EQ(stream.GetStream(), nullptr);
}
