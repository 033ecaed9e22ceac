// Modifiers: what a pipeline applies to an object, and the derived object that holds them.
#pragma once

#include <vector>

#include "host/object.h"

using ChannelMask = std::uint32_t;

struct ModContext {};

class Modifier : public BaseObject {
public:
    virtual void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) = 0;
    virtual Interval LocalValidity(TimeValue) { return FOREVER; }
    virtual ChannelMask ChannelsUsed() { return 0; }
    virtual ChannelMask ChannelsChanged() { return 0; }
    virtual Class_ID InputType() { return Class_ID(0, 0); }
    virtual void NotifyInputChanged(const Interval&, PartID, RefMessage, ModContext*) {}

    bool IsEnabled() const { return !TestAFlag(A_MOD_DISABLED); }
    // Switch the modifier off or on; its dependents hear of the change for all time.
    void DisableMod();
    void EnableMod();
};

class WSModifier : public Modifier {
public:
    SClass_ID SuperClassID() override { return WSM_CLASS_ID; }
};

// An object with a stack of modifiers over it. Modifier 0 is the top of the stack, applied last.
class IDerivedObject : public Object {
public:
    explicit IDerivedObject(Object* base);
    ~IDerivedObject() override;

    SClass_ID SuperClassID() override { return GEN_DERIVOB_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(GEN_DERIVOB_CLASS_ID, 0); }
    Object* GetObjRef() const { return base_; }
    int NumModifiers() const { return static_cast<int>(mods_.size()); }
    Modifier* GetModifier(int i) const;
    // Puts the modifier on top of the stack.
    void AddModifier(Modifier* mod);

    // The base object's state with the enabled modifiers applied bottom-up, on a copy: the base
    // object itself never changes.
    ObjectState EvalStack(TimeValue t, INode* node);
    ObjectState Eval(TimeValue t) override { return EvalStack(t, nullptr); }

    int NumRefs() override { return 1 + NumModifiers(); }
    ReferenceTarget* GetReference(int i) override;
    void SetReference(int i, ReferenceTarget* target) override;

private:
    Object* base_ = nullptr;
    std::vector<Modifier*> mods_;
};
