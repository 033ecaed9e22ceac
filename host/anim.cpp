#include "host/anim.h"


#include <algorithm>
#include <new>

#include "host/testing.h"

namespace {
template <class T>
void EraseOne(std::vector<T*>& v, T* item) {
    const auto it = std::find(v.begin(), v.end(), item);
    if (it != v.end()) v.erase(it);
}

// Path holds the targets being enumerated, so that a cycle ends where it closes.
bool EnumFrom(ReferenceTarget* target, DependentEnumProc* dep, std::vector<ReferenceTarget*>& path) {
    path.push_back(target);
    for (int i = 0; i < target->NumDependents(); ++i) {
        ReferenceMaker* maker = target->GetDependent(i);
        if (dep->proc(maker) != DEP_ENUM_CONTINUE) return true;
        if (!maker->IsRefTarget()) continue;
        auto* next = static_cast<ReferenceTarget*>(maker);
        if (std::find(path.begin(), path.end(), next) == path.end() && EnumFrom(next, dep, path)) return true;
    }
    path.pop_back();
    return false;
}

std::vector<Notification>& NotificationLog() {
    static std::vector<Notification> log;
    return log;
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

void ReferenceTarget::NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message) {
    // Out of memory the host still notifies (callers may be destructors); only its log misses it.
    try {
        NotificationLog().push_back({this, changeInt, partID, message});
    } catch (const std::bad_alloc&) {
    }
    std::vector<ReferenceMaker*> holders;
    try {
        holders = dependents_;
    } catch (const std::bad_alloc&) {
        for (std::size_t i = 0; i < dependents_.size(); ++i) {
            PartID part = partID;
            dependents_[i]->NotifyRefChanged(changeInt, this, part, message);
        }
        return;
    }
    for (ReferenceMaker* holder : holders) {
        PartID part = partID;
        holder->NotifyRefChanged(changeInt, this, part, message);
    }
}

int ReferenceTarget::DoEnumDependents(DependentEnumProc* dep) {
    std::vector<ReferenceTarget*> path;
    return EnumFrom(this, dep, path) ? 1 : 0;
}

ReferenceTarget* RemapDir::FindMapping(ReferenceTarget* original) const {
    for (const auto& [from, to] : map_)
        if (from == original) return to;
    return nullptr;
}

void RemapDir::AddEntry(ReferenceTarget* original, ReferenceTarget* copy) { map_.emplace_back(original, copy); }

ReferenceTarget* RemapDir::CloneRef(ReferenceTarget* original) {
    if (original == nullptr) return nullptr;
    if (ReferenceTarget* done = FindMapping(original)) return done;
    ReferenceTarget* copy = original->Clone(*this);
    if (copy != nullptr) AddEntry(original, copy);
    return copy;
}

void BaseClone(ReferenceTarget*, ReferenceTarget*, RemapDir&) {}

const std::vector<Notification>& HostNotifications() { return NotificationLog(); }

void HostClearNotifications() { NotificationLog().clear(); }
