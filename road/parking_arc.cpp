#include "road/parking_arc.h"

#include <algorithm>
#include <cmath>

namespace {
int PieceCount(float angle) {
    if (angle == 0.0f) return 0;
    const float turn = static_cast<float>(std::fabs(static_cast<double>(angle)));
    return std::max(1, static_cast<int>(turn * 6.0f));
}
}  // namespace

ParkingArc::ParkingArc(float halfLength, float halfWidth, float angle)
    : pieces(PieceCount(angle)),
      s_(angle > 0.0f ? halfWidth : -halfWidth),
      angle_(angle),
      centre_(3.0f * s_, -halfLength, 0.0f) {}

Point3 ParkingArc::At(int i, float radius) const {
    const float theta = pieces == 0 ? 0.0f : static_cast<float>(i) * angle_ / static_cast<float>(pieces);
    return centre_ + Point3(-s_ * std::cos(theta), -s_ * std::sin(theta), 0.0f) * radius;
}

Point3 ParkingArc::Inner(int i) const { return At(i, 2.0f); }

Point3 ParkingArc::Outer(int i) const { return At(i, 4.0f); }
