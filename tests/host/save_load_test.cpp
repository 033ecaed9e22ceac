// Chunked save streams: nesting, lengths, reads that fall short and headers that lie.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/save_load.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SaveLoad, NestedChunksHaveLittleEndianIdsAndLengths) {
    ISave save;
    save.BeginChunk(0x1234);
    const std::uint8_t a[] = {1, 2, 3};
    ULONG written = 0;
    EXPECT_EQ(save.Write(a, 3, &written), IO_OK);
    EXPECT_EQ(written, 3u);
    save.BeginChunk(0x000A);
    save.Write(a, 1, nullptr);
    save.EndChunk();
    save.EndChunk();
    save.EndChunk();  // none open: ignored
    EXPECT_EQ(save.Bytes(), (Bytes{0x34, 0x12, 10, 0, 0, 0, 1, 2, 3, 0x0A, 0, 1, 0, 0, 0, 1}));
}

TEST(SaveLoad, ReadsWalkChunksAndReportWhatIsLeft) {
    ILoad load(Bytes{0x34, 0x12, 10, 0, 0, 0, 1, 2, 3, 0x0A, 0, 1, 0, 0, 0, 9, 0x07, 0, 0, 0, 0, 0});
    ASSERT_EQ(load.OpenChunk(), IO_OK);
    EXPECT_EQ(load.CurChunkID(), 0x1234);
    EXPECT_EQ(load.BytesLeft(), 10u);
    std::uint8_t buf[4] = {};
    ULONG read = 0;
    EXPECT_EQ(load.Read(buf, 2, &read), IO_OK);
    EXPECT_EQ(read, 2u);
    EXPECT_EQ(load.BytesLeft(), 8u);
    EXPECT_EQ(load.OpenChunk(), IO_ERROR) << "one byte cannot hold a header";
    EXPECT_EQ(load.CloseChunk(), IO_OK);
    ASSERT_EQ(load.OpenChunk(), IO_OK);
    EXPECT_EQ(load.CurChunkID(), 7);
    EXPECT_EQ(load.Read(buf, 1, &read), IO_ERROR) << "an empty chunk";
    EXPECT_EQ(read, 0u);
    load.CloseChunk();
    EXPECT_EQ(load.OpenChunk(), IO_END);
    EXPECT_EQ(load.CurChunkID(), 0);
    EXPECT_EQ(load.CloseChunk(), IO_ERROR);
}

TEST(SaveLoad, ShortReadsAndOverlongChunksStopAtTheEnclosingEnd) {
    ILoad load(Bytes{0x0A, 0, 3, 0, 0, 0, 5, 6, 7, 0x0B, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1});
    ASSERT_EQ(load.OpenChunk(), IO_OK);
    std::uint8_t buf[8] = {};
    ULONG read = 0;
    EXPECT_EQ(load.Read(buf, 8, &read), IO_ERROR);
    EXPECT_EQ(read, 3u);
    EXPECT_EQ(buf[2], 7);
    load.CloseChunk();
    EXPECT_EQ(load.OpenChunk(), IO_ERROR) << "length beyond the stream";
    EXPECT_EQ(load.BytesLeft(), 0u);
    EXPECT_EQ(load.OpenChunk(), IO_END);
}

}  // namespace
