#include "common/draw_line.h"
#include "common/node_drawing.h"
#include "common/tracing.h"
#include "host/graphics_window.h"
#include "host/hit_region.h"
#include "host/interface.h"
#include "host/viewport.h"
#include "vehicle/vehicle_object.h"

void VehicleObject::DrawBox(GraphicsWindow* gw) {
    const float w = boxHalfWidth, l = boxHalfLength, h = boxHeight;
    gw->startSegments();
    for (const float z : {0.0f, h}) {
        DrawLine(gw, {-w, -l, z}, {w, -l, z});
        DrawLine(gw, {w, -l, z}, {w, l, z});
        DrawLine(gw, {w, l, z}, {-w, l, z});
        DrawLine(gw, {-w, l, z}, {-w, -l, z});
    }
    for (const float x : {-w, w})
        for (const float y : {-l, l}) DrawLine(gw, {x, y, 0.0f}, {x, y, h});
    const Point3 tip(0.0f, 0.6f * w, 0.0f);
    DrawLine(gw, {0.6f * w, 0.0f, 0.0f}, tip);
    DrawLine(gw, {-0.6f * w, 0.0f, 0.0f}, tip);
    gw->endSegments();
    if (!IsTracing()) return;
    gw->setTransform(Matrix3());
    state.DrawWire(gw);
}

int VehicleObject::Display(TimeValue t, INode* inode, ViewExp* vpt, int) {
    if (inode == nullptr || vpt == nullptr) return 0;
    GraphicsWindow* gw = vpt->getGW();
    gw->setTransform(inode->GetObjectTM(t));
    gw->setColor(LINE_COLOR, NodeLineColor(inode));
    DrawBox(gw);
    return 0;
}

int VehicleObject::HitTest(TimeValue t, INode* inode, int type, int crossing, int, IPoint2* p, ViewExp* vpt) {
    return PickByDrawing(t, inode, type, crossing, p, vpt, [&](GraphicsWindow* gw) { DrawBox(gw); });
}

Box3 VehicleObject::LocalBox() const {
    Box3 box;
    box.Init();
    for (int i = 0; i < 8; ++i)
        box += Point3((i & 1) ? boxHalfWidth : -boxHalfWidth, (i & 2) ? boxHalfLength : -boxHalfLength,
                      (i & 4) ? boxHeight : 0.0f);
    return box;
}

void VehicleObject::GetWorldBoundBox(TimeValue t, INode* inode, ViewExp*, Box3& box) {
    const Matrix3 tm = inode != nullptr ? inode->GetObjectTM(t) : Matrix3();
    const Box3 local = LocalBox();
    box.Init();
    for (int i = 0; i < 8; ++i) box += local[i] * tm;
    if (IsTracing()) state.AddPlanToBox(box);
}

void VehicleObject::GetLocalBoundBox(TimeValue, INode*, ViewExp*, Box3& box) { box = LocalBox(); }

void VehicleObject::GetDeformBBox(TimeValue, Box3& box, Matrix3*, bool) { box = LocalBox(); }
