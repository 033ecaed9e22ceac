// The frame of the helpers drawn as line work in their node's XY plane (the rectangle helpers,
// the bus stop, the parking place): one parameter block as the only reference, a cache of its
// sizes that validity requests refresh, display and hit test of the same strokes, boxes from a
// few outline points, and creation by two clicks.
#pragma once

#include <string>

#include "host/class_desc.h"
#include "host/object.h"

class GraphicsWindow;
class HelperCreateCallBack;

// What tells one helper class from another; one static instance per class.
struct HelperClass {
    ClassDesc2* desc;  // also gives the class name and Class_ID
    ParamBlockDesc2* blockDesc;
    void (*setupBlock)(ParamBlockDesc2*);
    HelperCreateCallBack* creator;
};

class HelperFrame : public HelperObject {
public:
    ~HelperFrame() override;

    // Copies the sizes at time 0 into the cache; keeps the cache without a block.
    virtual void UpdateCache() = 0;
    // Writes the sizes that a drag of d from the first click gives, at time 0, and refreshes
    // the roll-up.
    void SetDraggedSize(Point3 d);

    void GetClassName(std::wstring& s) override;
    Class_ID ClassID() override;
    int NumSubs() override { return 1; }
    Animatable* SubAnim(int) override { return pblock; }
    std::wstring SubAnimName(int) override;
    int NumRefs() override { return 1; }
    ReferenceTarget* GetReference(int) override { return pblock; }
    void SetReference(int, ReferenceTarget* target) override;
    ReferenceTarget* Clone(RemapDir& remap) override;

    void BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) override;
    void EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) override;
    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int) override { return pblock; }
    IParamBlock2* GetParamBlockByID(short id) override;
    int HitTest(TimeValue t, INode* inode, int type, int crossing, int flags, IPoint2* p, ViewExp* vpt) override;
    int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) override;
    void GetWorldBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) override;
    void GetLocalBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) override;
    CreateMouseCallBack* GetCreateMouseCallBack() override;
    std::wstring GetObjectName() override;

    void InitNodeName(std::wstring& s) override;
    int UsesWireColor() override { return 1; }
    void GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm, bool useSel) override;
    Interval ObjectValidity(TimeValue t) override;

protected:
    explicit HelperFrame(const HelperClass& cls);

    // What the object draws at t in object space; the caller has set transform and colour, or
    // pick mode.
    virtual void DrawShape(GraphicsWindow* gw, TimeValue t) const = 0;
    // Adds the object-space points whose box holds everything drawn.
    virtual void AddBoxPoints(Box3& box, const Matrix3& tm) const = 0;
    // The block values that a drag of d sets; the caller writes them at time 0.
    virtual void WriteDraggedSize(Point3 d) = 0;

    IParamBlock2* pblock = nullptr;

private:
    Box3 LocalBox() const;

    const HelperClass* cls_;
};
