#include "host/modifier.h"

void Modifier::DisableMod() {
    SetAFlag(A_MOD_DISABLED);
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

void Modifier::EnableMod() {
    ClearAFlag(A_MOD_DISABLED);
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

IDerivedObject::IDerivedObject(Object* base) { ReplaceReference(0, base); }

IDerivedObject::~IDerivedObject() = default;

Modifier* IDerivedObject::GetModifier(int i) const {
    return i >= 0 && i < NumModifiers() ? mods_[static_cast<std::size_t>(i)] : nullptr;
}

void IDerivedObject::AddModifier(Modifier* mod) {
    if (mod == nullptr) return;
    mods_.insert(mods_.begin(), nullptr);
    ReplaceReference(1, mod);
}

ReferenceTarget* IDerivedObject::GetReference(int i) {
    if (i == 0) return base_;
    return GetModifier(i - 1);
}

void IDerivedObject::SetReference(int i, ReferenceTarget* target) {
    if (i == 0) {
        base_ = static_cast<Object*>(target);
    } else if (i - 1 < NumModifiers()) {
        mods_[static_cast<std::size_t>(i - 1)] = static_cast<Modifier*>(target);
    }
}

ObjectState IDerivedObject::EvalStack(TimeValue t, INode* node) {
    if (base_ == nullptr) return {};
    ObjectState os = base_->Eval(t);
    bool copied = false;
    for (int i = NumModifiers() - 1; i >= 0; --i) {
        Modifier* mod = mods_[static_cast<std::size_t>(i)];
        if (mod == nullptr || !mod->IsEnabled() || os.obj == nullptr) continue;
        if (!copied) {
            RemapDir remap;
            auto* copy = static_cast<Object*>(os.obj->Clone(remap));
            if (copy == nullptr) return os;
            os.TakeOwnership(copy);
            copied = true;
        }
        Object* before = os.obj;
        ModContext mc;
        mod->ModifyObject(t, mc, &os, node);
        // A modifier that hands back a new object gives it to the pipeline.
        if (os.obj != before) os.TakeOwnership(os.obj);
    }
    return os;
}
