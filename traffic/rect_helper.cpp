#include "traffic/rect_helper.h"

#include "common/draw_line.h"
#include "host/graphics_window.h"
#include "host/hit_region.h"
#include "host/interface.h"
#include "host/viewport.h"
#include "traffic/rect_helper_create.h"
#include "traffic/rect_helper_params.h"

namespace {
constexpr int kPickEpsilon = 4;  // pixels

Point3 WireColor(DWORD c) {
    return {(c & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, ((c >> 16) & 0xFF) / 255.0f};
}
}  // namespace

RectHelperObject::RectHelperObject(const RectHelperClass& cls) : cls_(&cls) {
    cls.setupBlock(cls.blockDesc);
    cls.desc->MakeAutoParamBlocks(this);
}

RectHelperObject::~RectHelperObject() { cls_->creator->Forget(this); }

void RectHelperObject::GetSize(float& outLength, float& outWidth) const {
    outLength = pblock != nullptr ? pblock->GetFloat(kHalfLengthParam, 0) : length;
    outWidth = pblock != nullptr ? pblock->GetFloat(kHalfWidthParam, 0) : width;
}

void RectHelperObject::UpdateCache() { GetSize(length, width); }

void RectHelperObject::SetDraggedSize(float halfWidth, float halfLength) {
    if (pblock != nullptr) {
        pblock->SetValue(kHalfWidthParam, 0, halfWidth);
        pblock->SetValue(kHalfLengthParam, 0, halfLength);
    }
    cls_->blockDesc->InvalidateUI();
}

void RectHelperObject::GetClassName(std::wstring& s) { s = cls_->desc->ClassName(); }

Class_ID RectHelperObject::ClassID() { return cls_->desc->ClassID(); }

std::wstring RectHelperObject::SubAnimName(int) { return cls_->desc->ClassName(); }

void RectHelperObject::SetReference(int, ReferenceTarget* target) { pblock = static_cast<IParamBlock2*>(target); }

ReferenceTarget* RectHelperObject::Clone(RemapDir& remap) {
    auto* copy = static_cast<Object*>(cls_->desc->Create(FALSE));
    if (copy == nullptr) return nullptr;
    // The copy lets go of its default block for a copy of this one.
    copy->ReplaceReference(0, remap.CloneRef(pblock));
    BaseClone(this, copy, remap);
    return copy;
}

void RectHelperObject::BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) {
    // The helpers have no sub-objects: the panel edits the object as a whole.
    if (ip != nullptr) ip->SetSubObjectLevel(0);
    cls_->desc->BeginEditParams(ip, this, flags, prev);
}

void RectHelperObject::EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) {
    cls_->desc->EndEditParams(ip, this, flags, next);
}

IParamBlock2* RectHelperObject::GetParamBlockByID(short id) {
    return pblock != nullptr && pblock->ID() == id ? pblock : nullptr;
}

int RectHelperObject::HitTest(TimeValue t, INode* inode, int type, int crossing, int, IPoint2* p, ViewExp* vpt) {
    if (inode == nullptr || vpt == nullptr) return 0;
    GraphicsWindow* gw = vpt->getGW();
    HitRegion region;
    MakeHitRegion(region, type, crossing, kPickEpsilon, p);
    gw->setHitRegion(&region);
    const DWORD saved = gw->getRndLimits();
    gw->setRndLimits((saved | GW_PICK) & ~GW_ILLUM);
    gw->clearHitCode();
    gw->setTransform(inode->GetObjectTM(t));
    DrawShape(gw, t);
    int result = 0;
    if (gw->checkHitCode()) {
        result = 1;
        vpt->LogHit(inode, gw->getHitDistance(), 0, nullptr);
    }
    gw->clearHitCode();
    gw->setRndLimits(saved);
    return result;
}

int RectHelperObject::Display(TimeValue t, INode* inode, ViewExp* vpt, int) {
    if (inode == nullptr || vpt == nullptr) return 0;
    GraphicsWindow* gw = vpt->getGW();
    gw->setTransform(inode->GetObjectTM(t));
    gw->setColor(LINE_COLOR, inode->Selected() ? Point3(1.0f, 1.0f, 1.0f) : WireColor(inode->GetWireColor()));
    DrawShape(gw, t);
    return 0;
}

void RectHelperObject::GetWorldBoundBox(TimeValue t, INode* inode, ViewExp*, Box3& box) {
    const Matrix3 tm = inode != nullptr ? inode->GetObjectTM(t) : Matrix3();
    box.Init();
    for (const Point3& corner : BoxPoints()) box += corner * tm;
}

void RectHelperObject::GetLocalBoundBox(TimeValue, INode*, ViewExp*, Box3& box) { box = LocalBox(); }

CreateMouseCallBack* RectHelperObject::GetCreateMouseCallBack() {
    cls_->creator->SetObj(this);
    return cls_->creator;
}

std::wstring RectHelperObject::GetObjectName() { return cls_->desc->ClassName(); }

void RectHelperObject::InitNodeName(std::wstring& s) { s = cls_->desc->ClassName(); }

void RectHelperObject::GetDeformBBox(TimeValue, Box3& box, Matrix3*, bool) { box = LocalBox(); }

Interval RectHelperObject::ObjectValidity(TimeValue t) {
    UpdateCache();
    return Interval(t, t);
}

void RectHelperObject::DrawOutline(GraphicsWindow* gw) const {
    const float w = width, l = length;
    DrawLine(gw, {-w, -l, 0.0f}, {-w, l, 0.0f});
    DrawLine(gw, {w, -l, 0.0f}, {w, l, 0.0f});
    DrawLine(gw, {-w, -l, 0.0f}, {w, -l, 0.0f});
    DrawLine(gw, {-w, l, 0.0f}, {w, l, 0.0f});
}

std::array<Point3, 5> RectHelperObject::BoxPoints() const {
    return {Point3(-width, -length, 0.0f), Point3(-width, length, 0.0f), Point3(width, -length, 0.0f),
            Point3(width, length, 0.0f), Point3(0.0f, 0.0f, StandingHeight())};
}

Box3 RectHelperObject::LocalBox() const {
    Box3 box;
    box.Init();
    for (const Point3& corner : BoxPoints()) box += corner;
    return box;
}
