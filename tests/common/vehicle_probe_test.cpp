#include "common/vehicle_probe.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

#include <gtest/gtest.h>

static_assert(std::is_trivially_copyable_v<VehicleProbe>);
static_assert(std::is_standard_layout_v<VehicleProbe>);

TEST(VehicleProbe, FieldsLieInTheDocumentedOrder) {
    const std::size_t offsets[] = {
        offsetof(VehicleProbe, position), offsetof(VehicleProbe, heading),    offsetof(VehicleProbe, speed),
        offsetof(VehicleProbe, slot),     offsetof(VehicleProbe, owner),      offsetof(VehicleProbe, wander),
        offsetof(VehicleProbe, type),     offsetof(VehicleProbe, busMayStop), offsetof(VehicleProbe, carMayPark),
        offsetof(VehicleProbe, bodyTM),   offsetof(VehicleProbe, size),       offsetof(VehicleProbe, inner),
    };
    for (std::size_t i = 1; i < std::size(offsets); ++i) EXPECT_LT(offsets[i - 1], offsets[i]) << i;
}

TEST(VehicleProbe, DefaultConstructionClearsEveryFieldWhateverTheMemoryHeld) {
    alignas(VehicleProbe) unsigned char storage[sizeof(VehicleProbe)];
    std::memset(storage, 0xA5, sizeof storage);
    const VehicleProbe* p = new (storage) VehicleProbe;
    EXPECT_EQ(p->position, Point3());
    EXPECT_EQ(p->heading, Point3());
    EXPECT_EQ(p->speed, 0.0f);
    EXPECT_EQ(p->slot, 0);
    EXPECT_EQ(p->owner, 0u);
    EXPECT_EQ(p->wander, 0.0f);
    EXPECT_EQ(p->type, 0);
    EXPECT_EQ(p->busMayStop, 0);
    EXPECT_EQ(p->carMayPark, 0);
    EXPECT_EQ(p->bodyTM, Matrix3());
    EXPECT_EQ(p->size, Point3());
    EXPECT_EQ(p->inner, 0);
    p->~VehicleProbe();
}

TEST(VehicleProbe, CopyMatchesItsSourceFieldByField) {
    VehicleProbe src;
    src.position = {1.0f, 2.0f, 3.0f};
    src.heading = {0.0f, 1.0f, 0.0f};
    src.speed = 13.5f;
    src.slot = 6;
    src.owner = 0x1234567890ABCDEFull;
    src.wander = -0.25f;
    src.type = 2;
    src.busMayStop = 1;
    src.carMayPark = 1;
    src.bodyTM = RotateZMatrix(0.5f) * TransMatrix({4.0f, 5.0f, 6.0f});
    src.size = {90.0f, 220.0f, 150.0f};
    src.inner = 1;

    VehicleProbe copy;
    copy = src;
    EXPECT_EQ(copy.position, src.position);
    EXPECT_EQ(copy.heading, src.heading);
    EXPECT_EQ(copy.speed, src.speed);
    EXPECT_EQ(copy.slot, src.slot);
    EXPECT_EQ(copy.owner, src.owner);
    EXPECT_EQ(copy.wander, src.wander);
    EXPECT_EQ(copy.type, src.type);
    EXPECT_EQ(copy.busMayStop, src.busMayStop);
    EXPECT_EQ(copy.carMayPark, src.carMayPark);
    EXPECT_EQ(copy.bodyTM, src.bodyTM);
    EXPECT_EQ(copy.size, src.size);
    EXPECT_EQ(copy.inner, src.inner);
    EXPECT_TRUE(copy == src);

    copy.bodyTM.SetTrans({4.0f, 5.0f, 7.0f});
    EXPECT_FALSE(copy == src);
}
