#include "vehicle/part_transform.h"

Matrix3 WheelInBody(const Point3 wheelPos[3], int wheel, float spin, float steer, float suspension) {
    const int axle = wheel / 2;
    Matrix3 m;
    m.RotateX(-spin);
    if (axle == 0) m.RotateZ(-steer);
    const Point3& p = wheelPos[axle];
    m.SetTrans({wheel % 2 == 0 ? -p.x : p.x, p.y, p.z + suspension});
    return m;
}
