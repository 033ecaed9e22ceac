#include "road/bus_stop.h"

#include <cmath>
#include <new>

#include "common/draw_line.h"
#include "common/helper_create.h"
#include "common/helper_desc.h"
#include "common/helper_params.h"
#include "resources/resource.h"
#include "road/param_at_zero.h"

namespace {

constexpr ParamID kBusStopWidth = 0;
constexpr ParamID kBusStopLength = 1;
constexpr ParamID kBusStopReverse = 2;

class BusStopClassDesc final : public HelperClassDesc {
public:
    BusStopClassDesc() : HelperClassDesc(L"BusStop", kBusStopClassID) {}
    void* Create(BOOL) override { return static_cast<Object*>(new (std::nothrow) BusStopObject); }
};

// The first click places the middle of the kerb line; the drag sets the width and half the length.
class BusStopCreateCallBack final : public HelperCreateCallBack {};

// Defined in this order: the block names the descriptor as its owner.
BusStopClassDesc busStopDesc;
ParamBlockDesc2 busStopBlock(0, L"parameters", 0, &busStopDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, IDD_BUS_STOP_PARAM,
                             IDS_PARAMETERS,
                             {SizeParamDef(kBusStopWidth), SizeParamDef(kBusStopLength),
                              ParamDef(kBusStopReverse, L"Reverse", TYPE_BOOL, 0, 0).Default(0)});
BusStopCreateCallBack busStopCreate;

constinit const HelperClass busStopClass{&busStopDesc, &busStopBlock, &SetupBusStopParamBlocks, &busStopCreate};

}  // namespace

BusStopObject::BusStopObject() : HelperFrame(busStopClass) {}

void BusStopObject::GetParams(float& halfLength, float& width, std::uint8_t& reverse) const {
    if (pblock == nullptr) {
        halfLength = halfLength_, width = width_, reverse = reverse_;
        return;
    }
    halfLength = FloatAtZero(*pblock, kBusStopLength) * 0.5f;
    width = FloatAtZero(*pblock, kBusStopWidth);
    reverse = FlagAtZero(*pblock, kBusStopReverse);
}

void BusStopObject::UpdateCache() { GetParams(halfLength_, width_, reverse_); }

void BusStopObject::WriteDraggedSize(Point3 d) {
    pblock->SetValue(kBusStopWidth, 0, std::fabs(d.x));
    pblock->SetValue(kBusStopLength, 0, std::fabs(2.0f * d.y));
}

void BusStopObject::DrawShape(GraphicsWindow* gw) const {
    const float h = halfLength_, w = width_, e = reverse_ != 0 ? -1.0f : 1.0f;
    const float ew = e * w, end = h + 2.0f * w;
    gw->startSegments();
    DrawLine(gw, {0.0f, -end, 0.0f}, {0.0f, end, 0.0f});
    DrawLine(gw, {ew, -h, 0.0f}, {ew, h, 0.0f});
    // The arrow points to +Y whichever way the buses run.
    DrawLine(gw, {e * 0.2f * w, 0.0f, 0.0f}, {e * 0.5f * w, 0.3f * w, 0.0f});
    DrawLine(gw, {e * 0.8f * w, 0.0f, 0.0f}, {e * 0.5f * w, 0.3f * w, 0.0f});
    DrawLine(gw, {ew, -h, 0.0f}, {0.0f, -end, 0.0f});
    DrawLine(gw, {ew, h, 0.0f}, {0.0f, end, 0.0f});
    gw->endSegments();
}

void BusStopObject::AddBoxPoints(Box3& box, const Matrix3& tm) const {
    const float r = reverse_ != 0 ? 1.0f : 0.0f, end = halfLength_ + 2.0f * width_;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            box += Point3(width_ * (static_cast<float>(i) - r), end * static_cast<float>(2 * j - 1), 0.0f) * tm;
}

ClassDesc* GetBusStopDesc() { return &busStopDesc; }

void SetupBusStopParamBlocks(ParamBlockDesc2* desc) {
    BindSpinner(desc, kBusStopWidth, EDITTYPE_UNIVERSE, IDC_BUS_STOP_WIDTH_EDIT, IDC_BUS_STOP_WIDTH_SPIN);
    BindSpinner(desc, kBusStopLength, EDITTYPE_UNIVERSE, IDC_BUS_STOP_LENGTH_EDIT, IDC_BUS_STOP_LENGTH_SPIN);
    if (desc != nullptr) desc->ParamOption(kBusStopReverse, p_ui, TYPE_SINGLECHECKBOX, IDC_BUS_STOP_REVERSE_CHECK);
}
