// Animatables and references: what holds what. A target is deleted when its last holder lets
// it go; a holder's slot is cleared when its target is deleted under it.
#pragma once

#include <cstdint>
#include <vector>

#include "host/class_id.h"

class ReferenceTarget;

class Animatable {
public:
    Animatable() = default;
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;
    virtual ~Animatable() = default;

    virtual void DeleteThis() { delete this; }
    virtual Class_ID ClassID() { return Class_ID(0, 0); }
    virtual SClass_ID SuperClassID() { return 0; }

    void SetAFlag(std::uint32_t mask) { aflags_ |= mask; }
    void ClearAFlag(std::uint32_t mask) { aflags_ &= ~mask; }
    bool TestAFlag(std::uint32_t mask) const { return (aflags_ & mask) != 0; }

private:
    std::uint32_t aflags_ = 0;
};

class ReferenceMaker : public Animatable {
public:
    ~ReferenceMaker() override;

    virtual int NumRefs() { return 0; }
    virtual ReferenceTarget* GetReference(int) { return nullptr; }
    // Stores the pointer only; holding is managed by ReplaceReference.
    virtual void SetReference(int, ReferenceTarget*) {}

    // Makes target reference i, letting go of the old one (deleted when nobody else holds it).
    void ReplaceReference(int i, ReferenceTarget* target);
    void DeleteReference(int i) { ReplaceReference(i, nullptr); }

private:
    friend class ReferenceTarget;
    void Release(ReferenceTarget* target);
    std::vector<ReferenceTarget*> held_;
};

class ReferenceTarget : public ReferenceMaker {
public:
    ~ReferenceTarget() override;

    int NumDependents() const { return static_cast<int>(dependents_.size()); }
    ReferenceMaker* GetDependent(int i) const { return dependents_[static_cast<std::size_t>(i)]; }

private:
    friend class ReferenceMaker;
    std::vector<ReferenceMaker*> dependents_;
};
