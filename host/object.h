// Scene objects: what a node shows and what its pipeline evaluates to.
#pragma once

#include <memory>
#include <string>

#include "host/anim.h"
#include "host/geom.h"

class INode;
class ViewExp;
class IObjParam;
class IParamBlock2;
class CreateMouseCallBack;
class Object;

// Super-class ids of the pipeline.
constexpr SClass_ID GEN_DERIVOB_CLASS_ID = 2;
constexpr SClass_ID SHAPE_CLASS_ID = 0x40;

// The result of evaluating a pipeline: an object, owned by the state when the evaluation made it.
class ObjectState {
public:
    Object* obj = nullptr;

    ObjectState() = default;
    explicit ObjectState(Object* o) : obj(o) {}
    // Makes the state the owner of o (deleted with DeleteThis when the last copy goes).
    void TakeOwnership(Object* o);

private:
    std::shared_ptr<Object> owned_;
};

class BaseObject : public ReferenceTarget {
public:
    virtual int Display(TimeValue, INode*, ViewExp*, int) { return 0; }
    virtual int HitTest(TimeValue, INode*, int, int, int, IPoint2*, ViewExp*) { return 0; }
    virtual void GetWorldBoundBox(TimeValue, INode*, ViewExp*, Box3& box) { box.Init(); }
    virtual void GetLocalBoundBox(TimeValue, INode*, ViewExp*, Box3& box) { box.Init(); }
    virtual CreateMouseCallBack* GetCreateMouseCallBack() { return nullptr; }
    virtual std::wstring GetObjectName() { return {}; }
    virtual void BeginEditParams(IObjParam*, unsigned long, Animatable*) {}
    virtual void EndEditParams(IObjParam*, unsigned long, Animatable*) {}
    virtual int NumParamBlocks() { return 0; }
    virtual IParamBlock2* GetParamBlock(int) { return nullptr; }
    virtual IParamBlock2* GetParamBlockByID(short) { return nullptr; }
};

class Object : public BaseObject {
public:
    virtual ObjectState Eval(TimeValue) { return ObjectState(this); }
    virtual Interval ObjectValidity(TimeValue) { return FOREVER; }
    virtual int CanConvertToType(Class_ID) { return 0; }
    // This object when it already is of the class, a new object, or null.
    virtual Object* ConvertToType(TimeValue, Class_ID) { return nullptr; }
    virtual void InitNodeName(std::wstring& s) { s.clear(); }
    virtual int UsesWireColor() { return 0; }
    virtual void GetDeformBBox(TimeValue, Box3& box, Matrix3*, bool) { box.Init(); }
    virtual int IsShapeObject() { return 0; }

    void LockObject() { locked_ = true; }
    void UnlockObject() { locked_ = false; }
    bool IsObjectLocked() const { return locked_; }

private:
    bool locked_ = false;
};

class HelperObject : public Object {
public:
    SClass_ID SuperClassID() override { return HELPER_CLASS_ID; }
};
