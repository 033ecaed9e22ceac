// The stop line: a rectangle helper across a lane; vehicles slow down before its near edge
// (local y = -length). It shows that edge as a narrow band and the word STOP in its middle.
#pragma once

#include "common/export.h"
#include "traffic/rect_helper.h"

class ClassDesc;

inline constexpr Class_ID kStopLineClassID{0x3E8C088E, 0x49951049};

class StopLineObject : public RectHelperObject {
public:
    StopLineObject();

    // The band along the near edge and the word STOP, centred on the origin.
    void DrawSign(GraphicsWindow* gw) const;

protected:
    void DrawShape(GraphicsWindow* gw, TimeValue) const override { DrawSign(gw); }
};

ClassDesc* GetStopLineDesc();
// Binds the block's parameters to the roll-up's spinners; repeating it changes nothing.
MARLOVAN_EXPORT void SetupStopLineParamBlocks(ParamBlockDesc2* desc);
