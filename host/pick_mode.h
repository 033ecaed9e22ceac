// Pick mode: the viewports hand mouse clicks to a plug-in's callback until it ends the mode.
#pragma once

#include "host/geom.h"
#include "host/win32.h"

class Animatable;
class INode;
class IObjParam;
class ViewExp;

// Which nodes a pick may land on.
class PickNodeCallback {
public:
    virtual ~PickNodeCallback() = default;
    virtual BOOL Filter(INode* node) = 0;
};

class PickModeCallback {
public:
    virtual ~PickModeCallback() = default;
    // Whether something pickable lies under m; the host shows the hit cursor then.
    virtual BOOL HitTest(IObjParam* ip, HWND hWnd, ViewExp* vpt, IPoint2 m, int flags) = 0;
    // A click where HitTest said yes; TRUE ends the mode.
    virtual BOOL Pick(IObjParam* ip, ViewExp* vpt) = 0;
    virtual BOOL PickAnimatable(Animatable*) { return TRUE; }
    // TRUE ends the mode.
    virtual BOOL RightClick(IObjParam*, ViewExp*) { return FALSE; }
    virtual void EnterMode(IObjParam*) {}
    virtual void ExitMode(IObjParam*) {}
    virtual HCURSOR GetDefCursor(IObjParam*) { return nullptr; }
    virtual HCURSOR GetHitCursor(IObjParam*) { return nullptr; }
    virtual PickNodeCallback* GetFilter() { return nullptr; }
    virtual BOOL AllowMultiSelect() { return FALSE; }
};
