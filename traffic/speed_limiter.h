// The speed limiter: a rectangle helper that caps the speed of the vehicles inside it.
#pragma once

#include "common/export.h"
#include "traffic/rect_helper.h"

class ClassDesc;

inline constexpr Class_ID kSpeedLimiterClassID{0x156A0982, 0x059D70D6};
// The speed cap in km/h; the only animatable parameter.
constexpr ParamID kSpeedLimiterSpeedParam = 2;

class SpeedLimiterObject : public RectHelperObject {
public:
    SpeedLimiterObject();

    // The speed cap at t in scene units per second; 0 without a block.
    float GetSpeed(TimeValue t) const;
    // The rectangle's outline.
    void DrawFootprint(GraphicsWindow* gw) const;

protected:
    void DrawShape(GraphicsWindow* gw, TimeValue) const override { DrawFootprint(gw); }
};

ClassDesc* GetSpeedLimiterDesc();
// Binds the block's parameters to the roll-up's spinners; repeating it changes nothing.
MARLOVAN_EXPORT void SetupSpeedLimiterParamBlocks(ParamBlockDesc2* desc);
