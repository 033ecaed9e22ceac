#include "road/parking.h"

#include <array>
#include <cmath>
#include <new>

#include "common/draw_line.h"
#include "common/helper_create.h"
#include "common/helper_desc.h"
#include "common/helper_params.h"
#include "common/scalar.h"
#include "resources/resource.h"
#include "road/param_at_zero.h"
#include "road/parking_arc.h"

namespace {

constexpr ParamID kParkingWidth = 0;
constexpr ParamID kParkingLength = 1;
constexpr ParamID kParkingAngle = 2;
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kMaxAngleDegrees = 90.0f;

class ParkingClassDesc final : public HelperClassDesc {
public:
    ParkingClassDesc() : HelperClassDesc(L"Parking", kParkingClassID) {}
    void* Create(BOOL) override { return static_cast<Object*>(new (std::nothrow) ParkingObject); }
};

// The first click places the middle of the bay; the drag sets its half sizes.
class ParkingCreateCallBack final : public HelperCreateCallBack {};

// Defined in this order: the block names the descriptor as its owner.
ParkingClassDesc parkingDesc;
ParamBlockDesc2 parkingBlock(0, L"parameters", 0, &parkingDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, IDD_PARKING_PARAM,
                             IDS_PARAMETERS,
                             {SizeParamDef(kParkingWidth), SizeParamDef(kParkingLength),
                              ParamDef(kParkingAngle, L"Access_Angle", TYPE_FLOAT, 0, 0)
                                  .Default(0.0)
                                  .Range(-kMaxAngleDegrees, kMaxAngleDegrees)});
ParkingCreateCallBack parkingCreate;

constinit const HelperClass parkingClass{&parkingDesc, &parkingBlock, &SetupParkingParamBlocks, &parkingCreate};

using Segment = std::array<Point3, 2>;

// The arrow head pointing to +Y, then the letter P; both scale with the half width.
std::array<Segment, 8> SignSegments(float halfWidth) {
    const float k = 0.6f * halfWidth, q = 0.6f * k;
    auto at = [](float x, float y) { return Point3(x, y, 0.0f); };
    return {{{at(-k, -2 * k), at(0, -k)},
             {at(k, -2 * k), at(0, -k)},
             {at(-q, -q), at(-q, 2 * q)},
             {at(-q, 2 * q), at(0.5f * q, 2 * q)},
             {at(0.5f * q, 2 * q), at(q, 1.5f * q)},
             {at(q, 1.5f * q), at(q, 0.5f * q)},
             {at(q, 0.5f * q), at(0.5f * q, 0)},
             {at(0.5f * q, 0), at(-q, 0)}}};
}

}  // namespace

ParkingObject::ParkingObject() : HelperFrame(parkingClass) {}

void ParkingObject::GetParams(float& halfLength, float& halfWidth, float& angle) const {
    if (pblock == nullptr) {
        halfLength = halfLength_, halfWidth = halfWidth_, angle = accessAngle_;
        return;
    }
    halfWidth = FloatAtZero(*pblock, kParkingWidth) * 0.5f;
    halfLength = FloatAtZero(*pblock, kParkingLength) * 0.5f;
    // Beyond a quarter turn the arc would fold back over the bay and out of the boxes.
    angle = FloatAtZero(*pblock, kParkingAngle) * kRadiansPerDegree;
}

void ParkingObject::UpdateCache() { GetParams(halfLength_, halfWidth_, accessAngle_); }

void ParkingObject::WriteDraggedSize(Point3 d) {
    pblock->SetValue(kParkingWidth, 0, std::fabs(2.0f * d.x));
    pblock->SetValue(kParkingLength, 0, std::fabs(2.0f * d.y));
}

void ParkingObject::DrawShape(GraphicsWindow* gw) const {
    const float w = halfWidth_, l = halfLength_;
    gw->startSegments();
    DrawLine(gw, {-w, -l, 0.0f}, {-w, l, 0.0f});
    DrawLine(gw, {w, -l, 0.0f}, {w, l, 0.0f});
    DrawLine(gw, {-w, -l, 0.0f}, {w, -l, 0.0f});
    DrawLine(gw, {-w, l, 0.0f}, {w, l, 0.0f});
    for (const Segment& s : SignSegments(w)) DrawLine(gw, s[0], s[1]);
    const ParkingArc arc(l, w, accessAngle_);
    for (int i = 0; i < arc.pieces; ++i) {
        DrawLine(gw, arc.Inner(i), arc.Inner(i + 1));
        DrawLine(gw, arc.Outer(i), arc.Outer(i + 1));
    }
    gw->endSegments();
}

void ParkingObject::AddBoxPoints(Box3& box, const Matrix3& tm) const {
    const float w = halfWidth_, l = halfLength_, a = accessAngle_;
    // The arc bulges past the box of its end points once turned: the rectangle from the bay's
    // -Y edge to the inner arc's far x and the outer arc's far y holds it in every frame.
    const float sideX = -w * Sign(a), farX = w * (3.0f - 2.0f * std::cos(a)) * Sign(a);
    const float farY = -l - 4.0f * std::fabs(std::sin(a)) * w;
    for (const Point3& p : {Point3(-w, -l, 0.0f), Point3(-w, l, 0.0f), Point3(w, -l, 0.0f), Point3(w, l, 0.0f),
                            Point3(sideX, farY, 0.0f), Point3(farX, farY, 0.0f), Point3(farX, -l, 0.0f)})
        box += p * tm;
    // The sign outgrows a short bay.
    for (const Segment& s : SignSegments(w)) box += s[0] * tm, box += s[1] * tm;
}

ClassDesc* GetParkingDesc() { return &parkingDesc; }

void SetupParkingParamBlocks(ParamBlockDesc2* desc) {
    BindSpinner(desc, kParkingWidth, EDITTYPE_UNIVERSE, IDC_PARKING_WIDTH_EDIT, IDC_PARKING_WIDTH_SPIN);
    BindSpinner(desc, kParkingLength, EDITTYPE_UNIVERSE, IDC_PARKING_LENGTH_EDIT, IDC_PARKING_LENGTH_SPIN);
    if (desc != nullptr)
        desc->ParamOption(kParkingAngle, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_PARKING_ANGLE_EDIT,
                          IDC_PARKING_ANGLE_SPIN, 1.0f);
}
