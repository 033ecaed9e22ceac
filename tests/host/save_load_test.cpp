// Chunked save streams: nesting, lengths, reads that fall short and headers that lie.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/save_load.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SaveLoad, NestedChunksWriteAndReadBack) {
    ISave save;
    const std::uint8_t data[] = {1, 2, 3};
    save.BeginChunk(0x1234);
    save.Write(data, 3, nullptr);
    save.BeginChunk(0x000A);
    save.Write(data, 1, nullptr);
    save.EndChunk();
    save.EndChunk();
    save.EndChunk();  // none open: ignored
    EXPECT_EQ(save.Bytes(), (Bytes{0x34, 0x12, 10, 0, 0, 0, 1, 2, 3, 0x0A, 0, 1, 0, 0, 0, 1}));

    Bytes stream = save.Bytes();
    stream.insert(stream.end(), {0x07, 0, 2, 0, 0, 0, 5, 6, 0x08, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1});
    ILoad load(stream);
    std::uint8_t buf[8] = {};
    ULONG read = 0;
    ASSERT_EQ(load.OpenChunk(), IO_OK);
    EXPECT_TRUE(load.CurChunkID() == 0x1234 && load.Read(buf, 2, &read) == IO_OK && load.BytesLeft() == 8u);
    EXPECT_EQ(load.OpenChunk(), IO_ERROR) << "one byte left cannot hold a header";
    load.CloseChunk();
    ASSERT_EQ(load.OpenChunk(), IO_OK);
    EXPECT_TRUE(load.Read(buf, 8, &read) == IO_ERROR && read == 2u && buf[1] == 6);
    load.CloseChunk();
    EXPECT_EQ(load.OpenChunk(), IO_ERROR) << "a length beyond the stream";
    EXPECT_TRUE(load.OpenChunk() == IO_END && load.CloseChunk() == IO_ERROR);
}

}  // namespace
