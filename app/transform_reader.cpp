#include "app/transform_reader.h"

#include <cmath>
#include <numbers>

#include "app/json_reader.h"

namespace {
Matrix3 ReadMatrix(const JsonPlace& rows) {
    if (!rows.Value().is_array() || rows.Size() != 4) rows.Fail("expected four rows [x, y, z]");
    Matrix3 m;
    for (std::size_t i = 0; i < 4; ++i) m.SetRow(static_cast<int>(i), rows.Item(i).Vector3());
    const Point3 x = m.GetRow(0), y = m.GetRow(1), z = m.GetRow(2);
    if (DotProd(CrossProd(x, y), z) == 0.0f) rows.Fail("the matrix is singular");
    return m;
}

Matrix3 ReadParts(const JsonPlace& place) {
    Matrix3 m;
    if (place.Has("scale")) {
        const Point3 s = place["scale"].Vector3();
        if (s.x == 0.0f || s.y == 0.0f || s.z == 0.0f) place["scale"].Fail("a scale of 0 flattens the object");
        m = ScaleMatrix(s);
    }
    if (place.Has("rotation")) {
        const Point3 r = place["rotation"].Vector3() * (std::numbers::pi_v<float> / 180.0f);
        m.RotateX(r.x);
        m.RotateY(r.y);
        m.RotateZ(r.z);
    }
    if (place.Has("position")) m.Translate(place["position"].Vector3());
    return m;
}
}  // namespace

Matrix3 ReadTransform(const JsonPlace& place) {
    place.ExpectObject({"position", "rotation", "scale", "matrix"});
    if (place.Has("matrix")) {
        if (place.Size() != 1) place.Fail("give either \"matrix\" or position, rotation and scale");
        return ReadMatrix(place["matrix"]);
    }
    return ReadParts(place);
}
