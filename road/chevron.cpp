#include "road/chevron.h"

#include "host/shape.h"

void AddChevron(Spline3D* spline, Point3 a, Point3 b, Point3 c, const Matrix3& inverse) {
    SplineKnot knot(KTYPE_CORNER, LTYPE_LINE, Point3(), Point3(), Point3());
    for (const Point3& p : {a, b, c}) {
        knot.SetKnot(p * inverse);
        spline->AddKnot(knot, -1);
    }
}
