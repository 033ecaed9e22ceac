// Saving and loading: a byte stream of nested chunks. A chunk is a 16-bit id, a 32-bit length
// of what follows (both little-endian) and that many bytes, which may hold further chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/win32.h"

enum IOResult { IO_OK = 0, IO_END = 1, IO_ERROR = 2 };

class ISave {
public:
    void BeginChunk(WORD id);
    // Closes the innermost open chunk; nothing happens when none is open.
    void EndChunk();
    // Appends the bytes to the innermost open chunk (or the stream).
    IOResult Write(const void* buf, ULONG bytes, ULONG* written);
    // The stream; chunks still open have a length of 0 until they are ended.
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::size_t> open_;  // offsets of the length fields of the open chunks
};

class ILoad {
public:
    ILoad(const std::uint8_t* data, std::size_t size);
    explicit ILoad(std::vector<std::uint8_t> bytes);

    // Enters the next chunk of the innermost open one: IO_END when none is left, IO_ERROR when
    // its header is cut short or claims more bytes than enclose it (the rest is then skipped).
    IOResult OpenChunk();
    // The id of the innermost open chunk; 0 when none is open.
    WORD CurChunkID() const;
    // Leaves the innermost open chunk, skipping what was not read.
    IOResult CloseChunk();
    // Reads up to `bytes` from the innermost open chunk; IO_ERROR when fewer were left.
    IOResult Read(void* buf, ULONG bytes, ULONG* read);
    // Bytes left unread in the innermost open chunk (or the stream).
    std::size_t BytesLeft() const { return End() - pos_; }

private:
    struct Open {
        WORD id;
        std::size_t end;
    };
    std::size_t End() const { return open_.empty() ? bytes_.size() : open_.back().end; }

    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    std::vector<Open> open_;
};
