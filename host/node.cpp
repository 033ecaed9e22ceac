#include "host/node.h"

#include "host/interface.h"

INode::INode(Interface* owner, ULONG handle, INode* parent) : owner_(owner), handle_(handle), parent_(parent) {}

INode::~INode() {
    children_.clear();
    if (handle_ != 0) owner_->Forget(handle_);
}

INode* INode::GetChildNode(int i) const {
    return i >= 0 && i < NumberOfChildren() ? children_[static_cast<std::size_t>(i)].get() : nullptr;
}

INode* INode::AddChild(Interface* owner, ULONG handle) {
    children_.push_back(std::unique_ptr<INode>(new INode(owner, handle, this)));
    return children_.back().get();
}

std::unique_ptr<INode> INode::DetachChild(INode* child) {
    for (auto it = children_.begin(); it != children_.end(); ++it) {
        if (it->get() != child) continue;
        std::unique_ptr<INode> out = std::move(*it);
        children_.erase(it);
        return out;
    }
    return nullptr;
}

Object* INode::GetObjOrWSMRef() const { return wsm_ != nullptr ? wsm_ : object_; }

void INode::SetObjectRef(Object* obj) {
    ReplaceReference(1, obj);
    if (wsm_ != nullptr) wsm_->ReplaceReference(0, obj);
}

void INode::AddWSModifier(WSModifier* mod) {
    if (mod == nullptr) return;
    if (wsm_ == nullptr) ReplaceReference(2, new IDerivedObject(object_));
    wsm_->AddModifier(mod);
}

void INode::SetTMController(Control* control) { ReplaceReference(0, control); }

Matrix3 INode::GetNodeTM(TimeValue t, Interval* valid) {
    Matrix3 tm = parent_ != nullptr ? parent_->GetNodeTM(t, valid) : Matrix3();
    if (tmControl_ == nullptr) return tm;
    Interval iv = FOREVER;
    tmControl_->GetValue(t, &tm, iv, CTRL_RELATIVE);
    if (valid != nullptr) *valid &= iv;
    return tm;
}

void INode::SetNodeTM(TimeValue t, const Matrix3& tm) {
    if (tmControl_ == nullptr) SetTMController(new TransformControl);
    const Matrix3 parent = parent_ != nullptr ? parent_->GetNodeTM(t) : Matrix3();
    Matrix3 local = tm * Inverse(parent);
    tmControl_->SetValue(t, &local);
}

Matrix3 INode::GetObjectTM(TimeValue t, Interval* valid) { return objOffset_ * GetNodeTM(t, valid); }

ObjectState INode::EvalWorldState(TimeValue t, BOOL) {
    if (wsm_ != nullptr) return wsm_->EvalStack(t, this);
    return object_ != nullptr ? object_->Eval(t) : ObjectState();
}

ReferenceTarget* INode::GetReference(int i) {
    switch (i) {
        case 0: return tmControl_;
        case 1: return object_;
        case 2: return wsm_;
        default: return nullptr;
    }
}

void INode::SetReference(int i, ReferenceTarget* target) {
    switch (i) {
        case 0: tmControl_ = static_cast<Control*>(target); break;
        case 1: object_ = static_cast<Object*>(target); break;
        case 2: wsm_ = static_cast<IDerivedObject*>(target); break;
        default: break;
    }
}
