// The vehicle helper object: the settings of one vehicle in a parameter block, its run-time
// record, its drawing in the viewports and its recorded motion in the scene file.
#pragma once

#include <string>

#include "host/class_desc.h"
#include "host/object.h"
#include "vehicle/vehicle_state.h"

class GraphicsWindow;

inline constexpr Class_ID kVehicleClassID{0x7CF67ED1, 0x1B6C2182};

enum VehicleParam : ParamID {
    kVehicleLength = 0,  // "Lenght", full size along Y, scene units
    kVehicleWidth = 1,
    kVehicleHeight = 2,
    kVehicleAcceleration = 3,  // m/s²
    kVehicleManeuverable = 4,  // km/h
    kVehicleMaxSpeed = 5,      // km/h
    kVehicleRigidity = 6,
    kVehicleType = 7,  // 0 car, 1 bus, 2 truck
    kVehicleWheelCount = 8,  // axles
    kVehicleWheelSize = 9,   // table of 3: tyre width, radius
    kVehicleWheelPos = 10,   // table of 3: right-hand wheel position in body space
    kVehicleStopTime = 11,   // seconds
};

class VehicleObject : public HelperObject {
public:
    VehicleObject();
    ~VehicleObject() override;

    VehicleState& State() { return state; }
    void SetSize(Point3 size);
    Point3 GetSize() const;
    void SetWheelCount(int axles);
    void SetWheelTables(Point3 position, Point3 size, int axle);
    // The type and its presets of speed, stop time, rigidity, manoeuvring and acceleration.
    void SetType(int type);
    // The parameters at time 0, each clamped into its range (a value that is not a number takes
    // the default), converted to scene units into the state.
    void UpdateSimParams();
    // The drawing sizes, then the state's parameters.
    void UpdateFromParams();

    void GetClassName(std::wstring& s) override { s = L"Vehicle"; }
    Class_ID ClassID() override { return kVehicleClassID; }
    void BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) override;
    void EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) override;
    int NumSubs() override { return 1; }
    Animatable* SubAnim(int) override { return paramBlock; }
    std::wstring SubAnimName(int) override { return L"Vehicle"; }
    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int) override { return paramBlock; }
    IParamBlock2* GetParamBlockByID(short id) override;
    int NumRefs() override { return 1; }
    ReferenceTarget* GetReference(int) override;
    void SetReference(int, ReferenceTarget* target) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
    ReferenceTarget* Clone(RemapDir& remap) override;

    int HitTest(TimeValue t, INode* inode, int type, int crossing, int flags, IPoint2* p, ViewExp* vpt) override;
    int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) override;
    void GetWorldBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) override;
    void GetLocalBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) override;
    CreateMouseCallBack* GetCreateMouseCallBack() override;
    std::wstring GetObjectName() override { return L"Vehicle"; }
    void InitNodeName(std::wstring& s) override { s = L"Vehicle"; }
    int UsesWireColor() override { return 1; }
    void GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm, bool useSel) override;
    Interval ObjectValidity(TimeValue t) override;

    // The box, its heading chevron and, while a run is in progress, the predicted path.
    void DrawBox(GraphicsWindow* gw);

private:
    Box3 LocalBox() const;

    VehicleState state;
    float boxHalfLength = 0.0f;
    float boxHalfWidth = 0.0f;
    float boxHeight = 0.0f;
    IParamBlock2* paramBlock = nullptr;
};

ClassDesc* GetVehicleDesc();
// A new vehicle object, or null when it cannot be allocated.
Object* NewVehicleObject();
const wchar_t* GetVehicleClassName();
// The vehicle whose roll-up is open, or null.
VehicleObject* VehicleBeingEdited();
// Binds the block's parameters to the roll-up's spinners and radio buttons.
void BindVehicleParamUI(ParamBlockDesc2* desc);
