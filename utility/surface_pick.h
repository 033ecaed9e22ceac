// Picking the ground surface: the pick mode of the "Surface" button and the button itself.
#pragma once

#include "host/pick_mode.h"

class MarlovanUtil;

class PickSurfaceNode final : public PickModeCallback, public PickNodeCallback {
public:
    MarlovanUtil* panel = nullptr;  // the panel served, set by the "Surface" button

    BOOL HitTest(IObjParam* ip, HWND hWnd, ViewExp* vpt, IPoint2 m, int flags) override;
    // Keeps the node's handle, not the node, so that a later deletion is noticed. A pick that
    // finds no node changes nothing and the mode goes on.
    BOOL Pick(IObjParam* ip, ViewExp* vpt) override;
    BOOL RightClick(IObjParam*, ViewExp*) override { return TRUE; }
    void EnterMode(IObjParam* ip) override;
    void ExitMode(IObjParam* ip) override;
    PickNodeCallback* GetFilter() override { return this; }
    // A node that is not frozen and whose object at time 0 can become a triangle mesh.
    BOOL Filter(INode* node) override;
};

PickSurfaceNode& ThePickSurfaceNode();

// Takes the motion roll-up's "Surface" button as a check button and shows the surface.
void InitSurfaceButton(MarlovanUtil& panel, HWND hWnd);
// Lets the button go and forgets it.
void ReleaseSurfaceButton(MarlovanUtil& panel);
// Looks the surface up again and captions the button with its name, or "None".
void UpdateSurfaceButton(MarlovanUtil& panel);
