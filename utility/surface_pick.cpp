#include "utility/surface_pick.h"

#include <utility>

#include "host/cust_button.h"
#include "host/tri_object.h"
#include "host/viewport.h"
#include "resources/resource.h"
#include "utility/marlovan_util.h"
#include "utility/run_driver.h"

PickSurfaceNode& ThePickSurfaceNode() {
    static PickSurfaceNode pick;
    return pick;
}

BOOL PickSurfaceNode::HitTest(IObjParam* ip, HWND hWnd, ViewExp*, IPoint2 m, int) {
    return Filter(ip->PickNode(hWnd, m, GetFilter()));
}

BOOL PickSurfaceNode::Pick(IObjParam*, ViewExp* vpt) {
    INode* node = vpt != nullptr ? vpt->GetClosestHit() : nullptr;
    if (node == nullptr || panel == nullptr) return FALSE;
    panel->surfaceHandle = node->GetHandle();
    UpdateSurfaceButton(*panel);
    return TRUE;
}

void PickSurfaceNode::EnterMode(IObjParam*) {
    if (panel != nullptr && panel->surfaceButton != nullptr) panel->surfaceButton->SetCheck(TRUE);
}

void PickSurfaceNode::ExitMode(IObjParam*) {
    if (panel != nullptr && panel->surfaceButton != nullptr) panel->surfaceButton->SetCheck(FALSE);
}

BOOL PickSurfaceNode::Filter(INode* node) {
    if (node == nullptr || node->IsFrozen()) return FALSE;
    const ObjectState os = node->EvalWorldState(0);
    return os.obj != nullptr && os.obj->CanConvertToType(triObjectClassID) ? TRUE : FALSE;
}

void InitSurfaceButton(MarlovanUtil& panel, HWND hWnd) {
    panel.surfaceButton = GetICustButton(GetDlgItem(hWnd, IDC_MOTION_SURFACE_BUTTON));
    if (panel.surfaceButton != nullptr) {
        panel.surfaceButton->SetType(CBT_CHECK);
        panel.surfaceButton->SetHighlightColor(0xC0FF80);
    }
    UpdateSurfaceButton(panel);
}

void ReleaseSurfaceButton(MarlovanUtil& panel) { ReleaseICustButton(std::exchange(panel.surfaceButton, nullptr)); }

void UpdateSurfaceButton(MarlovanUtil& panel) {
    RefreshSurfaceNode(panel);
    if (panel.surfaceButton == nullptr) return;
    panel.surfaceButton->SetText(panel.surfaceNode != nullptr ? panel.surfaceNode->GetName().c_str() : L"None");
}
