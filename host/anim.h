// Animatables and references: what holds what. A target is deleted when its last holder lets
// it go; a holder's slot is cleared when its target is deleted under it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/class_id.h"
#include "host/save_load.h"
#include "host/time.h"
#include "host/win32.h"

class ReferenceTarget;
class RemapDir;

using PartID = std::uint32_t;
using RefMessage = std::uint32_t;
using RefResult = int;

constexpr RefResult REF_FAIL = 0;
constexpr RefResult REF_SUCCEED = 1;
constexpr PartID PART_ALL = 0x800037FF;
constexpr RefMessage REFMSG_CHANGE = 0x21;
constexpr RefMessage REFMSG_TARGET_DELETED = 0x16;
constexpr RefMessage REFMSG_BEGIN_EDIT = 0x90;
constexpr RefMessage REFMSG_END_EDIT = 0xA0;
constexpr RefMessage REFMSG_MOD_DISPLAY_ON = 0xF2;
constexpr RefMessage REFMSG_MOD_DISPLAY_OFF = 0xF3;

// Animatable flags.
constexpr std::uint32_t A_BEING_EDITED = 0x40;
constexpr std::uint32_t A_MOD_DISABLED = 0x2000;

class Animatable {
public:
    Animatable() = default;
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;
    virtual ~Animatable() = default;

    virtual void DeleteThis() { delete this; }
    virtual Class_ID ClassID() { return Class_ID(0, 0); }
    virtual SClass_ID SuperClassID() { return 0; }
    virtual void GetClassName(std::wstring& s) { s.clear(); }
    virtual int NumSubs() { return 0; }
    virtual Animatable* SubAnim(int) { return nullptr; }
    virtual std::wstring SubAnimName(int) { return {}; }

    void SetAFlag(std::uint32_t mask) { aflags_ |= mask; }
    void ClearAFlag(std::uint32_t mask) { aflags_ &= ~mask; }
    bool TestAFlag(std::uint32_t mask) const { return (aflags_ & mask) != 0; }

private:
    std::uint32_t aflags_ = 0;
};

class ReferenceMaker : public Animatable {
public:
    ~ReferenceMaker() override;

    virtual BOOL IsRefTarget() { return FALSE; }
    virtual int NumRefs() { return 0; }
    virtual ReferenceTarget* GetReference(int) { return nullptr; }
    // Stores the pointer only; holding is managed by ReplaceReference.
    virtual void SetReference(int, ReferenceTarget*) {}
    virtual RefResult NotifyRefChanged(const Interval&, ReferenceTarget*, PartID&, RefMessage) {
        return REF_SUCCEED;
    }
    // What the maker writes of its own into the scene file and reads back; nothing by default.
    virtual IOResult Save(ISave*) { return IO_OK; }
    virtual IOResult Load(ILoad*) { return IO_OK; }

    // Makes target reference i, letting go of the old one (deleted when nobody else holds it).
    void ReplaceReference(int i, ReferenceTarget* target);
    void DeleteReference(int i) { ReplaceReference(i, nullptr); }

private:
    friend class ReferenceTarget;
    void Release(ReferenceTarget* target);
    std::vector<ReferenceTarget*> held_;
};

// Called for every maker that depends on a target, directly or through other targets.
class DependentEnumProc {
public:
    virtual ~DependentEnumProc() = default;
    virtual int proc(ReferenceMaker* rmaker) = 0;
};
constexpr int DEP_ENUM_CONTINUE = 0;

class ReferenceTarget : public ReferenceMaker {
public:
    ~ReferenceTarget() override;

    BOOL IsRefTarget() override { return TRUE; }
    // Depth first, each dependent before its own dependents. A maker reached along several
    // paths is offered once per path; a cycle is not followed round. A result other than
    // DEP_ENUM_CONTINUE ends the enumeration, and the result is then 1, else 0.
    int DoEnumDependents(DependentEnumProc* dep);

    int NumDependents() const { return static_cast<int>(dependents_.size()); }
    ReferenceMaker* GetDependent(int i) const { return dependents_[static_cast<std::size_t>(i)]; }

    // A copy of this target whose references are cloned through remap; null when not clonable.
    virtual ReferenceTarget* Clone(RemapDir&) { return nullptr; }
    // Tells the holders; the host records it and evaluates nothing on the spot.
    void NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message);

private:
    friend class ReferenceMaker;
    std::vector<ReferenceMaker*> dependents_;
};

// Maps the targets of one clone operation to their copies, so shared targets stay shared.
class RemapDir {
public:
    ReferenceTarget* CloneRef(ReferenceTarget* original);
    ReferenceTarget* FindMapping(ReferenceTarget* original) const;
    void AddEntry(ReferenceTarget* original, ReferenceTarget* copy);

private:
    std::vector<std::pair<ReferenceTarget*, ReferenceTarget*>> map_;
};

// Finishes a clone: the part of copying that every class shares.
void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap);

struct Notification {
    ReferenceTarget* sender;
    Interval interval;
    PartID partID;
    RefMessage message;
};
