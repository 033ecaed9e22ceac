// The module's utility panel, opened in the host's utility panel and worked as a user works it:
// typing into its fields, clicking its buttons and picking in the viewport.
#pragma once

#include <string>
#include <vector>

#include "host/geom.h"
#include "host/time.h"
#include "host/win32.h"

class ClassDirectory;
class Interface;
class INode;

class PanelSession {
public:
    // Opens the module's utility; throws std::runtime_error when the module has none.
    PanelSession(const ClassDirectory& classes, Interface* ip);
    ~PanelSession();
    PanelSession(const PanelSession&) = delete;
    PanelSession& operator=(const PanelSession&) = delete;

    // Types the frame into the start or end field; false when the field cannot hold it.
    bool TypeStart(long long frame);
    bool TypeEnd(long long frame);
    TimeValue Start() const;
    TimeValue End() const;
    void PressTrace();
    void PressReset();
    // Clicks "Surface", then the node (or the viewport pixel over a world point); a click that
    // picks nothing ends the pick mode with a right click. False when nothing was picked.
    bool PickSurface(INode* node);
    bool PickSurfaceAt(const Point3& world);
    std::wstring SurfaceCaption() const;
    // Clicks the type's radio button (0 Car, 1 Bus, 2 Truck), then "Set Up".
    void SetUp(int type);
    // Types the number of copies and clicks the direction's radio button (0 Right, 1 Left,
    // 2 Down, 3 Up; -1 keeps it), then "Do Copy"; false when the field cannot hold the number.
    bool Copy(long long count, int direction);

private:
    HWND Page(const wchar_t* title) const;
    int SpinnerValue(const wchar_t* page, int spinner) const;
    bool FinishPick(bool picked);

    Interface* ip_;
};
