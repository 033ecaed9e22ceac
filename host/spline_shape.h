// Shape objects: a spline shape holds a BezierShape and shows its polylines.
#pragma once

#include "host/object.h"
#include "host/shape.h"

constexpr Class_ID splineShapeClassID(0x0000000A, 0);
// Any shape: the input type of modifiers that work on shapes.
constexpr Class_ID genericShapeClassID(0x00000040, 0);

class ShapeObject : public Object {
public:
    SClass_ID SuperClassID() override { return SHAPE_CLASS_ID; }
    int IsShapeObject() override { return 1; }
    // SHAPE_OWN_STEPS uses the shape's own steps. Straight segments always convert to their
    // ends, so an optimised conversion gives the same polylines.
    virtual void MakePolyShape(TimeValue t, PolyShape& out, int steps = SHAPE_OWN_STEPS, bool optimize = false) = 0;
};

class SplineShape : public ShapeObject {
public:
    BezierShape shape;

    Class_ID ClassID() override { return splineShapeClassID; }
    void GetClassName(std::wstring& s) override { s = L"SplineShape"; }
    std::wstring GetObjectName() override { return L"SplineShape"; }
    void MakePolyShape(TimeValue t, PolyShape& out, int steps = SHAPE_OWN_STEPS, bool optimize = false) override;
    int CanConvertToType(Class_ID id) override;
    Object* ConvertToType(TimeValue t, Class_ID id) override;
    ReferenceTarget* Clone(RemapDir& remap) override;
    int Display(TimeValue t, INode* node, ViewExp* vpt, int flags) override;
    void GetWorldBoundBox(TimeValue t, INode* node, ViewExp* vpt, Box3& box) override;
    void GetLocalBoundBox(TimeValue t, INode* node, ViewExp* vpt, Box3& box) override;
};
