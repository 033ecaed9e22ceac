// The records the queries exchange: VehicleProbe and ZoneEffect.
#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

#include <gtest/gtest.h>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"

static_assert(std::is_trivially_copyable_v<VehicleProbe> && std::is_standard_layout_v<VehicleProbe>);

TEST(VehicleProbe, FieldsLieInTheDocumentedOrder) {
    const std::size_t offsets[] = {
        offsetof(VehicleProbe, position), offsetof(VehicleProbe, heading),    offsetof(VehicleProbe, speed),
        offsetof(VehicleProbe, slot),     offsetof(VehicleProbe, owner),      offsetof(VehicleProbe, wander),
        offsetof(VehicleProbe, type),     offsetof(VehicleProbe, busMayStop), offsetof(VehicleProbe, carMayPark),
        offsetof(VehicleProbe, bodyTM),   offsetof(VehicleProbe, size),       offsetof(VehicleProbe, inner),
    };
    for (std::size_t i = 1; i < std::size(offsets); ++i) EXPECT_LT(offsets[i - 1], offsets[i]) << i;
}

TEST(VehicleProbe, DefaultIsAllZeroWhateverTheMemoryHeldAndCopiesCompareEqual) {
    alignas(VehicleProbe) unsigned char storage[sizeof(VehicleProbe)];
    std::memset(storage, 0xA5, sizeof storage);
    const VehicleProbe* p = new (storage) VehicleProbe;
    EXPECT_TRUE(p->position == Point3() && p->heading == Point3() && p->size == Point3() && p->bodyTM == Matrix3());
    EXPECT_TRUE(p->speed == 0.0f && p->slot == 0 && p->owner == 0u && p->wander == 0.0f && p->type == 0);
    EXPECT_TRUE(p->busMayStop == 0 && p->carMayPark == 0 && p->inner == 0);

    const VehicleProbe src{.position = {1, 2, 3}, .heading = {0, 1, 0}, .speed = 13.5f, .slot = 6,
                           .owner = 0x1234567890ABCDEFull, .wander = -0.25f, .type = 2, .busMayStop = 1,
                           .carMayPark = 1, .bodyTM = RotateZMatrix(0.5f) * TransMatrix({4, 5, 6}),
                           .size = {90, 220, 150}, .inner = 1};
    VehicleProbe copy = *p;
    copy = src;
    EXPECT_TRUE(copy == src);
    EXPECT_FALSE(copy == *p);
    copy.bodyTM.SetTrans({4, 5, 7});
    EXPECT_FALSE(copy == src);
}

TEST(ZoneEffect, AccumulateAddsTheSumsAndKeepsTheSmallerCap) {
    ZoneEffect dst{1.0, 2.0, 3.0, 4.0, 5.0f};
    EXPECT_EQ(&dst.Accumulate({10.0, 20.0, 30.0, 40.0, 9.0f}), &dst);
    EXPECT_TRUE(dst.score == 11.0 && dst.found == 22.0 && dst.stopTerm == 33.0 && dst.priority == 44.0);
    EXPECT_EQ(dst.speedCap, 5.0f);
    dst.Accumulate({-100.0, -100.0, 0.5, 0.25, 2.0f}).Accumulate({});
    EXPECT_TRUE(dst.score == -89.0 && dst.found == -78.0 && dst.stopTerm == 33.5 && dst.priority == 44.25);
    EXPECT_EQ(dst.speedCap, 2.0f);
}
