#include "common/tracing.h"

#include <gtest/gtest.h>

TEST(Tracing, OffAtLoadAndKeepsWhatIsStored) {
    EXPECT_EQ(IsTracing(), 0);
    SetTracing(1);
    EXPECT_EQ(IsTracing(), 1);
    SetTracing(-7);
    EXPECT_EQ(IsTracing(), -7);
    SetTracing(0);
    EXPECT_EQ(IsTracing(), 0);
}
