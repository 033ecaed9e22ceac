#include "common/helper_frame.h"

#include "common/helper_create.h"
#include "common/node_drawing.h"
#include "host/graphics_window.h"
#include "host/hit_region.h"
#include "host/interface.h"
#include "host/viewport.h"

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
    return PickByDrawing(t, inode, type, crossing, p, vpt, [&](GraphicsWindow* gw) { DrawShape(gw, t); });
}

int HelperFrame::Display(TimeValue t, INode* inode, ViewExp* vpt, int) {
    if (inode == nullptr || vpt == nullptr) return 0;
    GraphicsWindow* gw = vpt->getGW();
    gw->setTransform(inode->GetObjectTM(t));
    gw->setColor(LINE_COLOR, NodeLineColor(inode));
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
