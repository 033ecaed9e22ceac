// Scalar helpers.
#pragma once

inline float Sqr(float x) { return x * x; }

// 0 for both zeros and for NaN, so a direction that cannot be told is treated as none.
inline float Sign(float x) {
    if (x > 0.0f) return 1.0f;
    if (x < 0.0f) return -1.0f;
    return 0.0f;
}
