#include "common/helper_frame.h"

#include "common/helper_create.h"
#include "host/graphics_window.h"
#include "host/hit_region.h"
#include "host/interface.h"
#include "host/viewport.h"

namespace {
constexpr int kPickEpsilon = 4;  // pixels

Point3 WireColor(DWORD c) {
    return {(c & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, ((c >> 16) & 0xFF) / 255.0f};
}
}  // namespace

HelperFrame::HelperFrame(const HelperClass& cls) : cls_(&cls) {
    cls.setupBlock(cls.blockDesc);
    cls.desc->MakeAutoParamBlocks(this);
}

HelperFrame::~HelperFrame() { cls_->creator->Forget(this); }

void HelperFrame::SetDraggedSize(Point3 d) {
    if (pblock != nullptr) WriteDraggedSize(d);
    cls_->blockDesc->InvalidateUI();
}

void HelperFrame::GetClassName(std::wstring& s) { s = cls_->desc->ClassName(); }

Class_ID HelperFrame::ClassID() { return cls_->desc->ClassID(); }

std::wstring HelperFrame::SubAnimName(int) { return cls_->desc->ClassName(); }

void HelperFrame::SetReference(int, ReferenceTarget* target) { pblock = static_cast<IParamBlock2*>(target); }

ReferenceTarget* HelperFrame::Clone(RemapDir& remap) {
    auto* copy = static_cast<Object*>(cls_->desc->Create(FALSE));
    if (copy == nullptr) return nullptr;
    // The copy lets go of its default block for a copy of this one.
    copy->ReplaceReference(0, remap.CloneRef(pblock));
    BaseClone(this, copy, remap);
    return copy;
}

void HelperFrame::BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) {
    // The helpers have no sub-objects: the panel edits the object as a whole.
    if (ip != nullptr) ip->SetSubObjectLevel(0);
    cls_->desc->BeginEditParams(ip, this, flags, prev);
}

void HelperFrame::EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) {
    cls_->desc->EndEditParams(ip, this, flags, next);
}

IParamBlock2* HelperFrame::GetParamBlockByID(short id) {
    return pblock != nullptr && pblock->ID() == id ? pblock : nullptr;
}

int HelperFrame::HitTest(TimeValue t, INode* inode, int type, int crossing, int, IPoint2* p, ViewExp* vpt) {
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

int HelperFrame::Display(TimeValue t, INode* inode, ViewExp* vpt, int) {
    if (inode == nullptr || vpt == nullptr) return 0;
    GraphicsWindow* gw = vpt->getGW();
    gw->setTransform(inode->GetObjectTM(t));
    gw->setColor(LINE_COLOR, inode->Selected() ? Point3(1.0f, 1.0f, 1.0f) : WireColor(inode->GetWireColor()));
    DrawShape(gw, t);
    return 0;
}

void HelperFrame::GetWorldBoundBox(TimeValue t, INode* inode, ViewExp*, Box3& box) {
    box.Init();
    AddBoxPoints(box, inode != nullptr ? inode->GetObjectTM(t) : Matrix3());
}

void HelperFrame::GetLocalBoundBox(TimeValue, INode*, ViewExp*, Box3& box) { box = LocalBox(); }

CreateMouseCallBack* HelperFrame::GetCreateMouseCallBack() {
    cls_->creator->SetObj(this);
    return cls_->creator;
}

std::wstring HelperFrame::GetObjectName() { return cls_->desc->ClassName(); }

void HelperFrame::InitNodeName(std::wstring& s) { s = cls_->desc->ClassName(); }

void HelperFrame::GetDeformBBox(TimeValue, Box3& box, Matrix3*, bool) { box = LocalBox(); }

Interval HelperFrame::ObjectValidity(TimeValue t) {
    UpdateCache();
    return Interval(t, t);
}

Box3 HelperFrame::LocalBox() const {
    Box3 box;
    box.Init();
    AddBoxPoints(box, Matrix3());
    return box;
}
