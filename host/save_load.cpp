#include "host/save_load.h"

#include <cstring>

namespace {
constexpr std::size_t kHeaderBytes = 6;

void PutLE(std::uint8_t* at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetLE(const std::uint8_t* at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return v;
}
}  // namespace

void ISave::BeginChunk(WORD id) {
    const std::size_t at = bytes_.size();
    bytes_.resize(at + kHeaderBytes);
    PutLE(&bytes_[at], id, 2);
    PutLE(&bytes_[at + 2], 0, 4);
    open_.push_back(at + 2);
}

void ISave::EndChunk() {
    if (open_.empty()) return;
    const std::size_t lengthAt = open_.back();
    open_.pop_back();
    PutLE(&bytes_[lengthAt], static_cast<std::uint32_t>(bytes_.size() - lengthAt - 4), 4);
}

IOResult ISave::Write(const void* buf, ULONG bytes, ULONG* written) {
    const auto* p = static_cast<const std::uint8_t*>(buf);
    bytes_.insert(bytes_.end(), p, p + bytes);
    if (written != nullptr) *written = bytes;
    return IO_OK;
}

ILoad::ILoad(const std::uint8_t* data, std::size_t size) : bytes_(data, data + size) {}

ILoad::ILoad(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

IOResult ILoad::OpenChunk() {
    const std::size_t end = End();
    if (pos_ == end) return IO_END;
    if (end - pos_ < kHeaderBytes) {
        pos_ = end;
        return IO_ERROR;
    }
    const WORD id = static_cast<WORD>(GetLE(&bytes_[pos_], 2));
    const std::size_t length = GetLE(&bytes_[pos_ + 2], 4);
    if (length > end - pos_ - kHeaderBytes) {
        pos_ = end;
        return IO_ERROR;
    }
    pos_ += kHeaderBytes;
    open_.push_back({id, pos_ + length});
    return IO_OK;
}

WORD ILoad::CurChunkID() const { return open_.empty() ? 0 : open_.back().id; }

IOResult ILoad::CloseChunk() {
    if (open_.empty()) return IO_ERROR;
    pos_ = open_.back().end;
    open_.pop_back();
    return IO_OK;
}

IOResult ILoad::Read(void* buf, ULONG bytes, ULONG* read) {
    const std::size_t n = bytes < BytesLeft() ? bytes : BytesLeft();
    if (n > 0) std::memcpy(buf, &bytes_[pos_], n);
    pos_ += n;
    if (read != nullptr) *read = static_cast<ULONG>(n);
    return n == bytes ? IO_OK : IO_ERROR;
}
