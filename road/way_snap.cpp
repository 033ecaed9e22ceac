#include <cmath>

#include "host/time.h"
#include "road/way_record.h"

void WayRecord::Snap(Matrix3& m, float& tolerance) const {
    Point3 p = m.GetRow(3) * inverse;
    if (!(std::fabs(p.x) <= halfX) || !(std::fabs(p.y) <= halfY) || !(std::fabs(p.z) <= tolerance)) return;
    tolerance = std::fabs(p.z);
    // Closer than 0.1 m counts as on the plane: the vehicle keeps its own pose.
    if (static_cast<double>(tolerance) < 0.1 / GetMasterScale(UNITS_METERS)) return;

    p.z = 0.0f;
    const Point3 up = frame.GetRow(2);
    m.SetRow(3, p * frame);
    m.SetRow(2, up);
    const Point3 r1 = m.GetRow(1);
    const Point3 forward = Normalize(r1 - DotProd(r1, up) * up);
    m.SetRow(1, forward);
    m.SetRow(0, CrossProd(forward, up));
}
