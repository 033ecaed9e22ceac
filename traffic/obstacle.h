// The obstacle: a rectangle helper that closes the road inside it.
#pragma once

#include "common/export.h"
#include "traffic/rect_helper.h"

class ClassDesc;

inline constexpr Class_ID kObstacleClassID{0x5B0B46B6, 0x6EBE723F};

class ObstacleObject : public RectHelperObject {
public:
    ObstacleObject();

    // The outline crossed by both diagonals.
    void DrawFootprint(GraphicsWindow* gw) const;

protected:
    void DrawShape(GraphicsWindow* gw, TimeValue) const override { DrawFootprint(gw); }
};

ClassDesc* GetObstacleDesc();
// Binds the block's parameters to the roll-up's spinners; repeating it changes nothing.
MARLOVAN_EXPORT void SetupObstacleParamBlocks(ParamBlockDesc2* desc);
