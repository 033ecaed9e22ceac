// Geometry value types of the host: points, affine matrices (row vectors) and boxes.
#pragma once

#include <cstdint>
#include <type_traits>

class Point3 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    constexpr Point3() = default;
    template <class X, class Y, class Z>
        requires std::is_arithmetic_v<X> && std::is_arithmetic_v<Y> && std::is_arithmetic_v<Z>
    constexpr Point3(X px, Y py, Z pz)
        : x(static_cast<float>(px)), y(static_cast<float>(py)), z(static_cast<float>(pz)) {}

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    float Length() const;
    float LengthSquared() const { return x * x + y * y + z * z; }

    Point3 operator-() const { return {-x, -y, -z}; }
    Point3 operator+(const Point3& p) const { return {x + p.x, y + p.y, z + p.z}; }
    Point3 operator-(const Point3& p) const { return {x - p.x, y - p.y, z - p.z}; }
    Point3 operator*(float f) const { return {x * f, y * f, z * f}; }
    Point3 operator/(float f) const { return {x / f, y / f, z / f}; }
    Point3& operator+=(const Point3& p) { x += p.x; y += p.y; z += p.z; return *this; }
    Point3& operator-=(const Point3& p) { x -= p.x; y -= p.y; z -= p.z; return *this; }
    Point3& operator*=(float f) { x *= f; y *= f; z *= f; return *this; }
    Point3& operator/=(float f) { x /= f; y /= f; z /= f; return *this; }
    bool operator==(const Point3& p) const { return x == p.x && y == p.y && z == p.z; }
    bool operator!=(const Point3& p) const { return !(*this == p); }
};

inline Point3 operator*(float f, const Point3& p) { return p * f; }
float DotProd(const Point3& a, const Point3& b);
Point3 CrossProd(const Point3& a, const Point3& b);
float Length(const Point3& p);
// A zero vector normalises to the zero vector.
Point3 Normalize(const Point3& p);

// Matrix flag bits: stored, copied and cleared, never used to skip arithmetic.
constexpr std::uint32_t MAT_IDENT = 0x7;

// An affine transform as four rows: X axis, Y axis, Z axis, translation.
// A point maps to p.x*row0 + p.y*row1 + p.z*row2 + row3; A*B applies A first.
class Matrix3 {
public:
    Matrix3() { IdentityMatrix(); }
    Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3)
        : rows{r0, r1, r2, r3} {}

    Point3& operator[](int i) { return rows[i & 3]; }
    const Point3& operator[](int i) const { return rows[i & 3]; }
    Point3 GetRow(int i) const { return rows[i & 3]; }
    void SetRow(int i, const Point3& p) { rows[i & 3] = p; flags = 0; }
    Point3 GetTrans() const { return rows[3]; }
    void SetTrans(const Point3& p) { rows[3] = p; flags = 0; }
    void NoTrans() { rows[3] = Point3(); }

    void IdentityMatrix();
    void Zero();
    // In-place general affine inverse; a singular matrix becomes all NaN.
    void Invert();
    // Post-multiplications: the rotation/translation/scale is applied after this transform.
    void RotateX(float angle);
    void RotateY(float angle);
    void RotateZ(float angle);
    void Translate(const Point3& p);
    void Scale(const Point3& s);
    // Pre-multiplication: the rotation is applied before this transform.
    void PreRotateZ(float angle);

    Point3 VectorTransform(const Point3& v) const;
    Matrix3 operator*(const Matrix3& m) const;
    Matrix3& operator*=(const Matrix3& m) { return *this = *this * m; }
    bool operator==(const Matrix3& m) const;
    bool operator!=(const Matrix3& m) const { return !(*this == m); }

    std::uint32_t GetFlags() const { return flags; }
    void SetFlags(std::uint32_t f) { flags = f; }
    void ClearFlags() { flags = 0; }

private:
    Point3 rows[4];
    std::uint32_t flags = MAT_IDENT;
};

// Inline: lane and zone queries carry points through matrices in their innermost loops.
inline Point3 operator*(const Point3& p, const Matrix3& m) {
    return {((m[0].x * p.x + m[1].x * p.y) + m[2].x * p.z) + m[3].x,
            ((m[0].y * p.x + m[1].y * p.y) + m[2].y * p.z) + m[3].y,
            ((m[0].z * p.x + m[1].z * p.y) + m[2].z * p.z) + m[3].z};
}
inline Point3 operator*(const Matrix3& m, const Point3& p) { return p * m; }
Point3 VectorTransform(const Matrix3& m, const Point3& v);
Matrix3 Inverse(const Matrix3& m);
Matrix3 RotateXMatrix(float angle);
Matrix3 RotateYMatrix(float angle);
Matrix3 RotateZMatrix(float angle);
Matrix3 TransMatrix(const Point3& p);
Matrix3 ScaleMatrix(const Point3& s);

// An axis-aligned box. Empty is pmin = +1e30, pmax = -1e30 (finite, so arithmetic stays clean).
class Box3 {
public:
    Point3 pmin{1e30f, 1e30f, 1e30f};
    Point3 pmax{-1e30f, -1e30f, -1e30f};

    Box3() = default;
    Box3(const Point3& lo, const Point3& hi) : pmin(lo), pmax(hi) {}

    void Init();
    bool IsEmpty() const;
    Box3& operator+=(const Point3& p);
    Box3& operator+=(const Box3& b);
    // Inclusive of the boundary.
    bool Contains(const Point3& p) const;
    bool Intersects(const Box3& b) const;
    // Corner i: bit 0 selects max x, bit 1 max y, bit 2 max z.
    Point3 operator[](int i) const;
    Box3 operator*(const Matrix3& tm) const;
};

// A point on the screen, in pixels.
struct IPoint2 {
    int x = 0, y = 0;
};
