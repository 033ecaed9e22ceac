#include "traffic/speed_limiter.h"

#include <new>

#include "host/graphics_window.h"
#include "resources/resource.h"
#include "common/helper_create.h"
#include "common/helper_desc.h"
#include "traffic/rect_helper_params.h"

namespace {

class SpeedLimiterClassDesc final : public HelperClassDesc {
public:
    SpeedLimiterClassDesc() : HelperClassDesc(L"SpeedLimiter", kSpeedLimiterClassID) {}
    void* Create(BOOL) override { return static_cast<Object*>(new (std::nothrow) SpeedLimiterObject); }
};

using SpeedLimiterCreateCallBack = HelperCreateCallBack;

// Defined in this order: the block names the descriptor as its owner.
SpeedLimiterClassDesc speedLimiterDesc;
ParamBlockDesc2 speedLimiterBlock(0, L"parameters", 0, &speedLimiterDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0,
                                  IDD_SPEED_LIMITER_PARAM, IDS_PARAMETERS,
                                  {
                                      SizeParamDef(kHalfWidthParam),
                                      SizeParamDef(kHalfLengthParam),
                                      ParamDef(kSpeedLimiterSpeedParam, L"Speed", TYPE_FLOAT, P_ANIMATABLE, 0)
                                          .Default(30.0)
                                          .Range(0.0001f, 100000.0),
                                  });
SpeedLimiterCreateCallBack speedLimiterCreate;

constinit const HelperClass speedLimiterClass{&speedLimiterDesc, &speedLimiterBlock,
                                                  &SetupSpeedLimiterParamBlocks, &speedLimiterCreate};

}  // namespace

SpeedLimiterObject::SpeedLimiterObject() : RectHelperObject(speedLimiterClass) {}

float SpeedLimiterObject::GetSpeed(TimeValue t) const {
    if (pblock == nullptr) return 0.0f;
    const double kmh = pblock->GetFloat(kSpeedLimiterSpeedParam, t);
    return static_cast<float>(kmh / (GetMasterScale(UNITS_KILOMETERS) * 3600.0));
}

void SpeedLimiterObject::DrawFootprint(GraphicsWindow* gw) const {
    gw->startSegments();
    DrawOutline(gw);
    gw->endSegments();
}

ClassDesc* GetSpeedLimiterDesc() { return &speedLimiterDesc; }

void SetupSpeedLimiterParamBlocks(ParamBlockDesc2* desc) {
    BindSpinner(desc, kHalfWidthParam, EDITTYPE_UNIVERSE, IDC_SPEED_LIMITER_WIDTH_EDIT, IDC_SPEED_LIMITER_WIDTH_SPIN);
    BindSpinner(desc, kHalfLengthParam, EDITTYPE_UNIVERSE, IDC_SPEED_LIMITER_LENGTH_EDIT,
                IDC_SPEED_LIMITER_LENGTH_SPIN);
    BindSpinner(desc, kSpeedLimiterSpeedParam, EDITTYPE_FLOAT, IDC_SPEED_LIMITER_SPEED_EDIT,
                IDC_SPEED_LIMITER_SPEED_SPIN);
}
