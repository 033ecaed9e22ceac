// Transform controllers: what gives a node its transform at a time.
#pragma once

#include <vector>

#include "host/anim.h"
#include "host/geom.h"

class IObjParam;
class IParamBlock2;

// How GetValue treats val: absolute sets it, relative composes with what it holds.
enum GetSetMethod { CTRL_ABSOLUTE, CTRL_RELATIVE };

class Control : public ReferenceTarget {
public:
    // For a transform controller, relative: val holds the parent transform and receives
    // local * parent.
    virtual void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) = 0;
    virtual void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) = 0;

    virtual void BeginEditParams(IObjParam*, unsigned long, Animatable*) {}
    virtual void EndEditParams(IObjParam*, unsigned long, Animatable*) {}
    virtual int NumParamBlocks() { return 0; }
    virtual IParamBlock2* GetParamBlock(int) { return nullptr; }
    virtual IParamBlock2* GetParamBlockByID(short) { return nullptr; }
};

// A unit rotation.
struct Quat {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
};

Quat QuatFromMatrix(const Matrix3& m);
Matrix3 MatrixFromQuat(const Quat& q);
Quat Slerp(const Quat& a, Quat b, float u);

// Position, rotation and scale, static or keyed; keys interpolate linearly (rotation by slerp)
// and hold their end values outside the keyed range.
class TransformControl : public Control {
public:
    struct Key {
        TimeValue time;
        Point3 position;
        Quat rotation;
        Point3 scale;
    };

    SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x2005, 0); }
    void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) override;
    // Sets the local transform: the static value, or a key at t when keys exist.
    void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) override;
    ReferenceTarget* Clone(RemapDir& remap) override;

    // Adds or replaces the key at t.
    void SetKey(TimeValue t, const Matrix3& local);
    int NumKeys() const { return static_cast<int>(keys_.size()); }
    Matrix3 LocalAt(TimeValue t) const;

private:
    static Key Decompose(TimeValue t, const Matrix3& m);
    static Matrix3 Compose(const Key& k);

    Matrix3 static_;
    std::vector<Key> keys_;
};
