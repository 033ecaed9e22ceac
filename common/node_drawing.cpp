#include "common/node_drawing.h"

#include "host/graphics_window.h"
#include "host/hit_region.h"
#include "host/interface.h"
#include "host/viewport.h"

namespace {
constexpr int kPickEpsilon = 4;  // pixels
}  // namespace

Point3 NodeLineColor(INode* inode) {
    if (inode->Selected()) return {1.0f, 1.0f, 1.0f};
    const DWORD c = inode->GetWireColor();
    return {(c & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, ((c >> 16) & 0xFF) / 255.0f};
}

int PickByDrawing(TimeValue t, INode* inode, int type, int crossing, IPoint2* p, ViewExp* vpt,
                  const std::function<void(GraphicsWindow*)>& draw) {
    if (inode == nullptr || vpt == nullptr) return 0;
    GraphicsWindow* gw = vpt->getGW();
    HitRegion region;
    MakeHitRegion(region, type, crossing, kPickEpsilon, p);
    gw->setHitRegion(&region);
    const DWORD saved = gw->getRndLimits();
    gw->setRndLimits((saved | GW_PICK) & ~GW_ILLUM);
    gw->clearHitCode();
    gw->setTransform(inode->GetObjectTM(t));
    draw(gw);
    int result = 0;
    if (gw->checkHitCode()) {
        result = 1;
        vpt->LogHit(inode, gw->getHitDistance(), 0, nullptr);
    }
    gw->clearHitCode();
    gw->setRndLimits(saved);
    return result;
}
