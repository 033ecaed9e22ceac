#include "host/geom.h"

#include <cmath>
#include <limits>

float Point3::Length() const { return std::sqrt(LengthSquared()); }

float DotProd(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Point3 CrossProd(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Length(const Point3& p) { return p.Length(); }

Point3 Normalize(const Point3& p) {
    const float len = p.Length();
    return len > 0.0f ? p / len : Point3();
}

void Matrix3::IdentityMatrix() {
    rows[0] = {1.0f, 0.0f, 0.0f};
    rows[1] = {0.0f, 1.0f, 0.0f};
    rows[2] = {0.0f, 0.0f, 1.0f};
    rows[3] = {0.0f, 0.0f, 0.0f};
    flags = MAT_IDENT;
}

void Matrix3::Zero() {
    for (Point3& r : rows) r = Point3();
    flags = 0;
}

void Matrix3::Invert() {
    const Point3 a = rows[0], b = rows[1], c = rows[2], t = rows[3];
    // Rows of the adjugate, computed in double so near-singular frames keep their digits.
    const double det = static_cast<double>(a.x) * (static_cast<double>(b.y) * c.z - static_cast<double>(b.z) * c.y) -
                       static_cast<double>(a.y) * (static_cast<double>(b.x) * c.z - static_cast<double>(b.z) * c.x) +
                       static_cast<double>(a.z) * (static_cast<double>(b.x) * c.y - static_cast<double>(b.y) * c.x);
    if (!(det != 0.0) || !std::isfinite(det)) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        for (Point3& r : rows) r = {nan, nan, nan};
        flags = 0;
        return;
    }
    const double inv = 1.0 / det;
    auto cof = [inv](double p, double q, double r, double s) { return static_cast<float>((p * s - q * r) * inv); };
    Matrix3 m;
    m.rows[0] = {cof(b.y, b.z, c.y, c.z), -cof(a.y, a.z, c.y, c.z), cof(a.y, a.z, b.y, b.z)};
    m.rows[1] = {-cof(b.x, b.z, c.x, c.z), cof(a.x, a.z, c.x, c.z), -cof(a.x, a.z, b.x, b.z)};
    m.rows[2] = {cof(b.x, b.y, c.x, c.y), -cof(a.x, a.y, c.x, c.y), cof(a.x, a.y, b.x, b.y)};
    m.rows[3] = -(m.VectorTransform(t));
    m.flags = 0;
    *this = m;
}

Point3 Matrix3::VectorTransform(const Point3& v) const {
    return rows[0] * v.x + rows[1] * v.y + rows[2] * v.z;
}

Matrix3 Matrix3::operator*(const Matrix3& m) const {
    Matrix3 r;
    for (int i = 0; i < 3; ++i) r.rows[i] = m.VectorTransform(rows[i]);
    r.rows[3] = rows[3] * m;
    r.flags = 0;
    return r;
}

bool Matrix3::operator==(const Matrix3& m) const {
    for (int i = 0; i < 4; ++i)
        if (rows[i] != m.rows[i]) return false;
    return true;
}

void Matrix3::RotateX(float angle) { *this = *this * RotateXMatrix(angle); }
void Matrix3::RotateY(float angle) { *this = *this * RotateYMatrix(angle); }
void Matrix3::RotateZ(float angle) { *this = *this * RotateZMatrix(angle); }
void Matrix3::Translate(const Point3& p) { rows[3] += p; flags = 0; }
void Matrix3::Scale(const Point3& s) { *this = *this * ScaleMatrix(s); }
void Matrix3::PreRotateZ(float angle) { *this = RotateZMatrix(angle) * *this; }

Point3 VectorTransform(const Matrix3& m, const Point3& v) { return m.VectorTransform(v); }

Matrix3 Inverse(const Matrix3& m) {
    Matrix3 r = m;
    r.Invert();
    return r;
}

Matrix3 RotateXMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {{1.0f, 0.0f, 0.0f}, {0.0f, c, s}, {0.0f, -s, c}, {}};
}

Matrix3 RotateYMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {{c, 0.0f, -s}, {0.0f, 1.0f, 0.0f}, {s, 0.0f, c}, {}};
}

Matrix3 RotateZMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {{c, s, 0.0f}, {-s, c, 0.0f}, {0.0f, 0.0f, 1.0f}, {}};
}

Matrix3 TransMatrix(const Point3& p) {
    Matrix3 m;
    m.SetTrans(p);
    return m;
}

Matrix3 ScaleMatrix(const Point3& s) {
    return {{s.x, 0.0f, 0.0f}, {0.0f, s.y, 0.0f}, {0.0f, 0.0f, s.z}, {}};
}

void Box3::Init() {
    pmin = {1e30f, 1e30f, 1e30f};
    pmax = {-1e30f, -1e30f, -1e30f};
}

bool Box3::IsEmpty() const { return pmin.x > pmax.x || pmin.y > pmax.y || pmin.z > pmax.z; }

Box3& Box3::operator+=(const Point3& p) {
    pmin = {std::fmin(pmin.x, p.x), std::fmin(pmin.y, p.y), std::fmin(pmin.z, p.z)};
    pmax = {std::fmax(pmax.x, p.x), std::fmax(pmax.y, p.y), std::fmax(pmax.z, p.z)};
    return *this;
}

Box3& Box3::operator+=(const Box3& b) {
    if (b.IsEmpty()) return *this;
    *this += b.pmin;
    return *this += b.pmax;
}

bool Box3::Contains(const Point3& p) const {
    return p.x >= pmin.x && p.x <= pmax.x && p.y >= pmin.y && p.y <= pmax.y && p.z >= pmin.z && p.z <= pmax.z;
}

bool Box3::Intersects(const Box3& b) const {
    return !IsEmpty() && !b.IsEmpty() && b.pmin.x <= pmax.x && b.pmax.x >= pmin.x && b.pmin.y <= pmax.y &&
           b.pmax.y >= pmin.y && b.pmin.z <= pmax.z && b.pmax.z >= pmin.z;
}

Point3 Box3::operator[](int i) const {
    return {(i & 1) ? pmax.x : pmin.x, (i & 2) ? pmax.y : pmin.y, (i & 4) ? pmax.z : pmin.z};
}

Box3 Box3::operator*(const Matrix3& tm) const {
    Box3 out;
    if (IsEmpty()) return out;
    for (int i = 0; i < 8; ++i) out += (*this)[i] * tm;
    return out;
}
