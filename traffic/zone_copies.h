// Room for an index's zone copies. The slot threads copy-construct their zones into place, so
// the room is never filled with defaults first.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>

#include "traffic/traffic_zone.h"

class ZoneCopies {
public:
    static_assert(std::is_trivially_copyable_v<TrafficZone> && std::is_trivially_destructible_v<TrafficZone>);

    ZoneCopies() = default;
    ~ZoneCopies() { Free(); }
    ZoneCopies(const ZoneCopies&) = delete;
    ZoneCopies& operator=(const ZoneCopies&) = delete;

    void Allocate(std::size_t count) {
        Free();
        if (count == 0) return;
        zones_ = std::allocator<TrafficZone>().allocate(count);
        count_ = count;
    }
    void Free() {
        if (zones_ != nullptr) std::allocator<TrafficZone>().deallocate(zones_, count_);
        zones_ = nullptr;
        count_ = 0;
    }
    TrafficZone* data() const { return zones_; }

private:
    TrafficZone* zones_ = nullptr;
    std::size_t count_ = 0;
};
