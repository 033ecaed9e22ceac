#include "traffic/stop_line.h"

#include <iterator>
#include <new>
#include <span>

#include "common/draw_line.h"
#include "host/graphics_window.h"
#include "resources/resource.h"
#include "common/helper_create.h"
#include "common/helper_desc.h"
#include "traffic/rect_helper_params.h"

namespace {

class StopLineClassDesc final : public HelperClassDesc {
public:
    StopLineClassDesc() : HelperClassDesc(L"StopLine", kStopLineClassID) {}
    void* Create(BOOL) override { return static_cast<Object*>(new (std::nothrow) StopLineObject); }
};

using StopLineCreateCallBack = HelperCreateCallBack;

// Defined in this order: the block names the descriptor as its owner.
StopLineClassDesc stopLineDesc;
ParamBlockDesc2 stopLineBlock(0, L"parameters", 0, &stopLineDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, IDD_STOP_LINE_PARAM,
                              IDS_PARAMETERS, {SizeParamDef(kHalfWidthParam), SizeParamDef(kHalfLengthParam)});
StopLineCreateCallBack stopLineCreate;

constinit const HelperClass stopLineClass{&stopLineDesc, &stopLineBlock, &SetupStopLineParamBlocks,
                                              &stopLineCreate};

// The letters on a grid of letter-scale steps: x from -15 to 15, y from -4 to 4.
struct GridPoint {
    int i, j;
};
constexpr GridPoint kLetterS[] = {{-9, 3}, {-10, 4}, {-14, 4}, {-15, 3}, {-15, 1}, {-14, 0},
                                  {-10, 0}, {-9, -1}, {-9, -3}, {-10, -4}, {-14, -4}, {-15, -3}};
constexpr GridPoint kLetterO[] = {{2, 4}, {6, 4}, {7, 3}, {7, -3}, {6, -4}, {2, -4}, {1, -3}, {1, 3}, {2, 4}};
constexpr GridPoint kLetterP[] = {{9, -4}, {9, 4}, {14, 4}, {15, 3}, {15, 0}, {14, -1}, {9, -1}};
// The three strokes share one point array; S is the longest.
constexpr std::size_t kMaxStroke = std::size(kLetterS);
static_assert(std::size(kLetterO) <= kMaxStroke && std::size(kLetterP) <= kMaxStroke);

Point3 OnGrid(int i, int j, float s) { return {static_cast<float>(i) * s, static_cast<float>(j) * s, 0.0f}; }

void DrawStroke(GraphicsWindow* gw, Point3 (&pts)[kMaxStroke], std::span<const GridPoint> stroke, float s) {
    for (std::size_t k = 0; k < stroke.size(); ++k) pts[k] = OnGrid(stroke[k].i, stroke[k].j, s);
    gw->polyline(static_cast<int>(stroke.size()), pts, nullptr, 0, nullptr);
}

}  // namespace

StopLineObject::StopLineObject() : RectHelperObject(stopLineClass) {}

void StopLineObject::DrawSign(GraphicsWindow* gw) const {
    const float w = cachedWidth, l = cachedLength;
    const float bandTop = -l * 0.9f;
    // The letters keep within 0.9 of the half width and 0.6 of the half length.
    float s = 0.15f * l;
    if (s > 0.06f * w) s = 0.06f * w;
    Point3 pts[kMaxStroke];
    gw->startSegments();
    DrawLine(gw, {-w, -l, 0.0f}, {w, -l, 0.0f});
    DrawLine(gw, {-w, bandTop, 0.0f}, {w, bandTop, 0.0f});
    DrawLine(gw, {-w, -l, 0.0f}, {-w, bandTop, 0.0f});
    DrawLine(gw, {w, -l, 0.0f}, {w, bandTop, 0.0f});
    DrawStroke(gw, pts, kLetterS, s);
    DrawLine(gw, OnGrid(-7, 4, s), OnGrid(-1, 4, s));
    DrawLine(gw, OnGrid(-4, 4, s), OnGrid(-4, -4, s));
    DrawStroke(gw, pts, kLetterO, s);
    DrawStroke(gw, pts, kLetterP, s);
    gw->endSegments();
}

ClassDesc* GetStopLineDesc() { return &stopLineDesc; }

void SetupStopLineParamBlocks(ParamBlockDesc2* desc) {
    BindSpinner(desc, kHalfWidthParam, EDITTYPE_UNIVERSE, IDC_STOP_LINE_WIDTH_EDIT, IDC_STOP_LINE_WIDTH_SPIN);
    BindSpinner(desc, kHalfLengthParam, EDITTYPE_UNIVERSE, IDC_STOP_LINE_LENGTH_EDIT, IDC_STOP_LINE_LENGTH_SPIN);
}
