#include "traffic/build_arena.h"

#include <cstdint>

namespace {
constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

std::size_t Padding(const std::byte* p, std::size_t align) {
    const auto address = reinterpret_cast<std::uintptr_t>(p);
    return (align - address % align) % align;
}
}  // namespace

void* BuildArena::AllocateBytes(std::size_t bytes, std::size_t align) {
    std::size_t pad = Padding(cursor_, align);
    if (cursor_ == nullptr || pad + bytes > left_) {
        // Large lists get a block of their own, so that the current block keeps its room.
        if (bytes > kBlockBytes / 4) {
            blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(bytes));
            return blocks_.back().get();
        }
        blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(kBlockBytes));
        cursor_ = blocks_.back().get();
        left_ = kBlockBytes;
        pad = 0;
    }
    std::byte* p = cursor_ + pad;
    cursor_ = p + bytes;
    left_ -= pad + bytes;
    return p;
}

void BuildArena::ShrinkBytes(std::byte* end, std::size_t bytes) {
    if (end != cursor_) return;
    cursor_ -= bytes;
    left_ += bytes;
}

void BuildArena::Adopt(BuildArena&& other) {
    blocks_.reserve(blocks_.size() + other.blocks_.size());
    for (auto& block : other.blocks_) blocks_.push_back(std::move(block));
    other.blocks_.clear();
    other.cursor_ = nullptr;
    other.left_ = 0;
}
