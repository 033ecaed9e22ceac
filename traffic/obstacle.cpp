#include "traffic/obstacle.h"

#include <new>

#include "common/draw_line.h"
#include "host/graphics_window.h"
#include "resources/resource.h"
#include "common/helper_create.h"
#include "common/helper_desc.h"
#include "traffic/rect_helper_params.h"

namespace {

class ObstacleClassDesc final : public HelperClassDesc {
public:
    ObstacleClassDesc() : HelperClassDesc(L"Obstacle", kObstacleClassID) {}
    void* Create(BOOL) override { return static_cast<Object*>(new (std::nothrow) ObstacleObject); }
};

using ObstacleCreateCallBack = HelperCreateCallBack;

// Defined in this order: the block names the descriptor as its owner.
ObstacleClassDesc obstacleDesc;
ParamBlockDesc2 obstacleBlock(0, L"parameters", 0, &obstacleDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, IDD_OBSTACLE_PARAM,
                              IDS_PARAMETERS, {SizeParamDef(kHalfWidthParam), SizeParamDef(kHalfLengthParam)});
ObstacleCreateCallBack obstacleCreate;

constinit const HelperClass obstacleClass{&obstacleDesc, &obstacleBlock, &SetupObstacleParamBlocks,
                                              &obstacleCreate};

}  // namespace

ObstacleObject::ObstacleObject() : RectHelperObject(obstacleClass) {}

void ObstacleObject::DrawFootprint(GraphicsWindow* gw) const {
    const float w = cachedWidth, l = cachedLength;
    gw->startSegments();
    DrawOutline(gw);
    DrawLine(gw, {-w, -l, 0.0f}, {w, l, 0.0f});
    DrawLine(gw, {w, -l, 0.0f}, {-w, l, 0.0f});
    gw->endSegments();
}

ClassDesc* GetObstacleDesc() { return &obstacleDesc; }

void SetupObstacleParamBlocks(ParamBlockDesc2* desc) {
    BindSpinner(desc, kHalfWidthParam, EDITTYPE_UNIVERSE, IDC_OBSTACLE_WIDTH_EDIT, IDC_OBSTACLE_WIDTH_SPIN);
    BindSpinner(desc, kHalfLengthParam, EDITTYPE_UNIVERSE, IDC_OBSTACLE_LENGTH_EDIT, IDC_OBSTACLE_LENGTH_SPIN);
}
