#include "host/spline_shape.h"

#include "host/graphics_window.h"
#include "host/node.h"
#include "host/viewport.h"

void SplineShape::MakePolyShape(TimeValue, PolyShape& out, int steps, bool) {
    shape.MakePolyShape(out, steps);
}

int SplineShape::CanConvertToType(Class_ID id) { return id == splineShapeClassID || id == genericShapeClassID; }

Object* SplineShape::ConvertToType(TimeValue, Class_ID id) { return CanConvertToType(id) ? this : nullptr; }

ReferenceTarget* SplineShape::Clone(RemapDir& remap) {
    auto* copy = new SplineShape;
    copy->shape.CopyFrom(shape);
    BaseClone(this, copy, remap);
    return copy;
}

int SplineShape::Display(TimeValue t, INode* node, ViewExp* vpt, int) {
    if (vpt == nullptr || node == nullptr) return 0;
    GraphicsWindow* gw = vpt->getGW();
    gw->setTransform(node->GetObjectTM(t));
    const DWORD c = node->GetWireColor();
    const Point3 wire((c & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, ((c >> 16) & 0xFF) / 255.0f);
    gw->setColor(LINE_COLOR, node->Selected() ? Point3(1.0f, 1.0f, 1.0f) : wire);
    PolyShape poly;
    shape.MakePolyShape(poly);
    for (const PolyLine& line : poly.lines) {
        std::vector<Point3> pts;
        for (const PolyPt& p : line.pts) pts.push_back(p.p);
        gw->polyline(line.NumPts(), pts.data(), nullptr, line.IsClosed() ? 1 : 0, nullptr);
    }
    return 0;
}

void SplineShape::GetLocalBoundBox(TimeValue, INode*, ViewExp*, Box3& box) {
    box.Init();
    PolyShape poly;
    shape.MakePolyShape(poly);
    for (const PolyLine& line : poly.lines)
        for (const PolyPt& p : line.pts) box += p.p;
}

void SplineShape::GetWorldBoundBox(TimeValue t, INode* node, ViewExp* vpt, Box3& box) {
    GetLocalBoundBox(t, node, vpt, box);
    if (node != nullptr) box = box * node->GetObjectTM(t);
}
