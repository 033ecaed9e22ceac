#include "host/anim.h"

#include <algorithm>

namespace {
template <class T>
void EraseOne(std::vector<T*>& v, T* item) {
    const auto it = std::find(v.begin(), v.end(), item);
    if (it != v.end()) v.erase(it);
}
}  // namespace

void ReferenceMaker::ReplaceReference(int i, ReferenceTarget* target) {
    ReferenceTarget* old = GetReference(i);
    if (old == target) return;
    if (target != nullptr) {
        target->dependents_.push_back(this);
        held_.push_back(target);
    }
    SetReference(i, target);
    if (old != nullptr) Release(old);
}

void ReferenceMaker::Release(ReferenceTarget* target) {
    EraseOne(held_, target);
    EraseOne(target->dependents_, static_cast<ReferenceMaker*>(this));
    if (target->dependents_.empty()) target->DeleteThis();
}

ReferenceMaker::~ReferenceMaker() {
    while (!held_.empty()) Release(held_.back());
}

ReferenceTarget::~ReferenceTarget() {
    // Holders that outlive their target must not keep a dangling slot.
    while (!dependents_.empty()) {
        ReferenceMaker* holder = dependents_.back();
        dependents_.pop_back();
        EraseOne(holder->held_, static_cast<ReferenceTarget*>(this));
        for (int i = 0; i < holder->NumRefs(); ++i)
            if (holder->GetReference(i) == this) holder->SetReference(i, nullptr);
    }
}
