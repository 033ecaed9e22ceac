// Scene nodes: a place in the hierarchy with a transform, an object and its world-space
// modifiers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/controller.h"
#include "host/modifier.h"
#include "host/win32.h"

class Interface;

class INode : public ReferenceTarget {
public:
    ~INode() override;
    // Nodes belong to the scene: letting go of a reference never deletes one.
    void DeleteThis() override {}
    SClass_ID SuperClassID() override { return BASENODE_CLASS_ID; }

    ULONG GetHandle() const { return handle_; }
    const std::wstring& GetName() const { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    INode* GetParentNode() const { return parent_; }
    int NumberOfChildren() const { return static_cast<int>(children_.size()); }
    INode* GetChildNode(int i) const;
    bool IsRootNode() const { return parent_ == nullptr; }

    // The object, or the object-space stack over it.
    Object* GetObjectRef() const { return object_; }
    // The world-space modifier stack over the object when there is one, else the object.
    Object* GetObjOrWSMRef() const;
    // The world-space modifier stack, or null when the node has none.
    IDerivedObject* GetWSMDerivedObject() const { return wsm_; }
    void SetObjectRef(Object* obj);
    // Puts a world-space modifier on top of the node's world-space stack.
    void AddWSModifier(WSModifier* mod);

    Control* GetTMController() const { return tmControl_; }
    void SetTMController(Control* control);
    Matrix3 GetNodeTM(TimeValue t, Interval* valid = nullptr);
    // Sets the controller so that the node's world transform at t becomes tm.
    void SetNodeTM(TimeValue t, const Matrix3& tm);
    Matrix3 GetObjectTM(TimeValue t, Interval* valid = nullptr);
    const Matrix3& GetObjOffset() const { return objOffset_; }
    void SetObjOffset(const Matrix3& offset) { objOffset_ = offset; }

    // Evaluates the pipeline at t on copies; nothing is cached and the scene is not changed.
    ObjectState EvalWorldState(TimeValue t, BOOL evalHidden = TRUE);

    DWORD GetWireColor() const { return wireColor_; }
    void SetWireColor(DWORD rgb) { wireColor_ = rgb; }
    // Selection goes through the interface, which keeps its order.
    int Selected() const { return selected_ ? 1 : 0; }
    bool IsHidden() const { return hidden_; }
    void Hide(bool on) { hidden_ = on; }
    bool IsFrozen() const { return frozen_; }
    void Freeze(bool on) { frozen_ = on; }

    int NumRefs() override { return 3; }
    ReferenceTarget* GetReference(int i) override;
    void SetReference(int i, ReferenceTarget* target) override;

private:
    friend class Interface;
    INode(Interface* owner, ULONG handle, INode* parent);
    INode* AddChild(Interface* owner, ULONG handle);
    std::unique_ptr<INode> DetachChild(INode* child);

    Interface* owner_;
    ULONG handle_;
    INode* parent_;
    std::wstring name_;
    std::vector<std::unique_ptr<INode>> children_;
    Control* tmControl_ = nullptr;
    Object* object_ = nullptr;
    IDerivedObject* wsm_ = nullptr;
    Matrix3 objOffset_;
    DWORD wireColor_ = 0x00E0E0E0;
    bool selected_ = false;
    bool hidden_ = false;
    bool frozen_ = false;
};
