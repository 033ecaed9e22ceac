// Bump allocation for one thread's share of a tree build. Nodes and zone lists are freed all
// together, never one by one, and a helper thread's arena passes to its parent when it is done.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

class BuildArena {
public:
    BuildArena() = default;
    BuildArena(BuildArena&&) = default;
    BuildArena& operator=(BuildArena&&) = default;

    // Uninitialised room for count objects.
    template <class T>
    T* Allocate(std::size_t count) {
        static_assert(std::is_trivially_destructible_v<T>);
        return static_cast<T*>(AllocateBytes(count * sizeof(T), alignof(T)));
    }

    // Gives back the unused tail of the most recent allocation, so that a list can be
    // allocated for its longest case and filled once.
    template <class T>
    void Shrink(T* last, std::size_t allocated, std::size_t used) {
        ShrinkBytes(reinterpret_cast<std::byte*>(last + allocated), (allocated - used) * sizeof(T));
    }

    // Takes over every block of other, which is left empty.
    void Adopt(BuildArena&& other);

private:
    void* AllocateBytes(std::size_t bytes, std::size_t align);
    void ShrinkBytes(std::byte* end, std::size_t bytes);

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* cursor_ = nullptr;
    std::size_t left_ = 0;
};
