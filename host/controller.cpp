#include "host/controller.h"

#include <algorithm>
#include <cmath>

Quat QuatFromMatrix(const Matrix3& m) {
    // Shepperd's method on the rotation rows, picking the largest pivot for stability.
    const float m00 = m[0].x, m01 = m[0].y, m02 = m[0].z;
    const float m10 = m[1].x, m11 = m[1].y, m12 = m[1].z;
    const float m20 = m[2].x, m21 = m[2].y, m22 = m[2].z;
    const float trace = m00 + m11 + m22;
    Quat q;
    if (trace > 0.0f) {
        const float s = std::sqrt(trace + 1.0f) * 2.0f;
        q = {(m12 - m21) / s, (m20 - m02) / s, (m01 - m10) / s, 0.25f * s};
    } else if (m00 > m11 && m00 > m22) {
        const float s = std::sqrt(1.0f + m00 - m11 - m22) * 2.0f;
        q = {0.25f * s, (m01 + m10) / s, (m20 + m02) / s, (m12 - m21) / s};
    } else if (m11 > m22) {
        const float s = std::sqrt(1.0f + m11 - m00 - m22) * 2.0f;
        q = {(m01 + m10) / s, 0.25f * s, (m12 + m21) / s, (m20 - m02) / s};
    } else {
        const float s = std::sqrt(1.0f + m22 - m00 - m11) * 2.0f;
        q = {(m20 + m02) / s, (m12 + m21) / s, 0.25f * s, (m01 - m10) / s};
    }
    return q;
}

Matrix3 MatrixFromQuat(const Quat& q) {
    const float x = q.x, y = q.y, z = q.z, w = q.w;
    return {{1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w)},
            {2 * (x * y - z * w), 1 - 2 * (x * x + z * z), 2 * (y * z + x * w)},
            {2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y)},
            {}};
}

Quat Slerp(const Quat& a, Quat b, float u) {
    float d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    if (d < 0.0f) {
        b = {-b.x, -b.y, -b.z, -b.w};
        d = -d;
    }
    float wa = 1.0f - u, wb = u;
    if (d < 0.9995f) {
        const float angle = std::acos(d);
        const float s = std::sin(angle);
        wa = std::sin((1.0f - u) * angle) / s;
        wb = std::sin(u * angle) / s;
    }
    Quat r{wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w};
    const float len = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z + r.w * r.w);
    return {r.x / len, r.y / len, r.z / len, r.w / len};
}

TransformControl::Key TransformControl::Decompose(TimeValue t, const Matrix3& m) {
    const Point3 scale(m[0].Length(), m[1].Length(), m[2].Length());
    Matrix3 rot({m[0] / scale.x, m[1] / scale.y, m[2] / scale.z, {}});
    return {t, m.GetTrans(), QuatFromMatrix(rot), scale};
}

Matrix3 TransformControl::Compose(const Key& k) {
    Matrix3 m = ScaleMatrix(k.scale) * MatrixFromQuat(k.rotation);
    m.SetTrans(k.position);
    return m;
}

Matrix3 TransformControl::LocalAt(TimeValue t) const {
    if (keys_.empty()) return static_;
    if (t <= keys_.front().time) return Compose(keys_.front());
    if (t >= keys_.back().time) return Compose(keys_.back());
    const auto next = std::upper_bound(keys_.begin(), keys_.end(), t,
                                       [](TimeValue v, const Key& k) { return v < k.time; });
    const Key& a = *(next - 1);
    const Key& b = *next;
    const float u = static_cast<float>(t - a.time) / static_cast<float>(b.time - a.time);
    return Compose({t, a.position + (b.position - a.position) * u, Slerp(a.rotation, b.rotation, u),
                    a.scale + (b.scale - a.scale) * u});
}

void TransformControl::GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method) {
    auto* m = static_cast<Matrix3*>(val);
    const Matrix3 local = LocalAt(t);
    *m = method == CTRL_RELATIVE ? local * *m : local;
    if (!keys_.empty()) valid &= Interval(t, t);
}

void TransformControl::SetValue(TimeValue t, void* val, int, GetSetMethod) {
    const Matrix3& local = *static_cast<Matrix3*>(val);
    if (keys_.empty())
        static_ = local;
    else
        SetKey(t, local);
}

void TransformControl::SetKey(TimeValue t, const Matrix3& local) {
    const Key key = Decompose(t, local);
    auto it = std::lower_bound(keys_.begin(), keys_.end(), t, [](const Key& k, TimeValue v) { return k.time < v; });
    if (it != keys_.end() && it->time == t)
        *it = key;
    else
        keys_.insert(it, key);
}

ReferenceTarget* TransformControl::Clone(RemapDir& remap) {
    auto* copy = new TransformControl;
    copy->static_ = static_;
    copy->keys_ = keys_;
    BaseClone(this, copy, remap);
    return copy;
}
