// Identifiers of plug-in classes: a two-part class id and the super-class id.
#pragma once

#include <cstdint>

using SClass_ID = std::uint32_t;

constexpr SClass_ID BASENODE_CLASS_ID = 0x1;
constexpr SClass_ID HELPER_CLASS_ID = 0x50;
constexpr SClass_ID WSM_CLASS_ID = 0x820;
constexpr SClass_ID UTILITY_CLASS_ID = 0x1020;
constexpr SClass_ID CTRL_MATRIX3_CLASS_ID = 0x9008;

class Class_ID {
public:
    constexpr Class_ID() = default;
    constexpr Class_ID(std::uint32_t a, std::uint32_t b) : partA(a), partB(b) {}

    constexpr std::uint32_t PartA() const { return partA; }
    constexpr std::uint32_t PartB() const { return partB; }
    constexpr bool operator==(const Class_ID& o) const { return partA == o.partA && partB == o.partB; }
    constexpr bool operator!=(const Class_ID& o) const { return !(*this == o); }
    constexpr bool operator<(const Class_ID& o) const {
        return partA < o.partA || (partA == o.partA && partB < o.partB);
    }

private:
    std::uint32_t partA = 0xFFFFFFFF;
    std::uint32_t partB = 0xFFFFFFFF;
};
