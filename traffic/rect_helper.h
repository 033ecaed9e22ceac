// The frame of the rectangle helpers (speed limiter, obstacle, stop line): a helper whose one
// parameter block holds the half width and half length of a rectangle in its node's XY plane.
// Display, hit test and boxes read a cache of the two that validity requests refresh, and the
// object is created by dragging from the rectangle's centre.
#pragma once

#include <array>
#include <string>

#include "host/class_desc.h"
#include "host/object.h"

class GraphicsWindow;
class RectHelperCreateCallBack;

// What tells one rectangle-helper class from another; one static instance per class.
struct RectHelperClass {
    ClassDesc2* desc;  // also gives the class name and Class_ID
    ParamBlockDesc2* blockDesc;
    void (*setupBlock)(ParamBlockDesc2*);
    RectHelperCreateCallBack* creator;
};

class RectHelperObject : public HelperObject {
public:
    ~RectHelperObject() override;

    // Half length and half width from the block at time 0; the cached values without a block.
    void GetSize(float& length, float& width) const;
    // Copies the half sizes at time 0 into the cache; keeps the cache without a block.
    virtual void UpdateCache();
    // Writes the half sizes at time 0, as a drag sets them, and refreshes the roll-up.
    void SetDraggedSize(float halfWidth, float halfLength);

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
    explicit RectHelperObject(const RectHelperClass& cls);

    // What the object draws at t in object space; the caller has set transform and colour, or
    // pick mode.
    virtual void DrawShape(GraphicsWindow* gw, TimeValue t) const = 0;
    // The height of a part that stands above the rectangle's centre; the boxes take it in.
    virtual float StandingHeight() const { return 0.0f; }
    // The four sides: the two along Y, then the near (-Y) and far (+Y) edges. No bracket.
    void DrawOutline(GraphicsWindow* gw) const;

    float length = 0.0f;  // cached half length along local Y
    float width = 0.0f;   // cached half width along local X
    IParamBlock2* pblock = nullptr;

private:
    // The rectangle's corners, then the top of what stands on it.
    std::array<Point3, 5> BoxPoints() const;
    Box3 LocalBox() const;

    const RectHelperClass* cls_;
};
