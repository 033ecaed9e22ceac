#include "host/interface.h"

Interface::Interface() { ResetScene(); }

Interface::~Interface() { root_.reset(); }

INode* Interface::GetINodeByHandle(ULONG handle) const {
    const auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : it->second;
}

INode* Interface::CreateObjectNode(Object* obj, INode* parent) {
    INode* node = (parent != nullptr ? parent : root_.get())->AddChild(this, nextHandle_++);
    handles_[node->GetHandle()] = node;
    node->SetTMController(new TransformControl);
    node->SetObjectRef(obj);
    return node;
}

void Interface::DeleteNode(INode* node) {
    if (node == nullptr || node->IsRootNode()) return;
    node->GetParentNode()->DetachChild(node);
}

void Interface::Forget(ULONG handle) { handles_.erase(handle); }

void Interface::SetTime(TimeValue t, BOOL redraw) {
    time_ = t;
    if (redraw) RedrawViews(t);
}

void Interface::RedrawViews(TimeValue) { ++redraws_; }

void Interface::ForceCompleteRedraw() { ++redraws_; }

void Interface::ResetScene() {
    root_.reset();
    root_.reset(new INode(this, 0, nullptr));
    root_->SetName(L"Root");
    time_ = 0;
    redraws_ = 0;
}

Interface* GetCOREInterface() {
    static IObjParam core;
    return &core;
}
