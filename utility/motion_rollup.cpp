// "Vehicles Motion": the run's start and end, the surface and the "Trace" and "Reset" buttons.
#include "host/spinner.h"
#include "resources/resource.h"
#include "utility/marlovan_util.h"
#include "utility/panel_rollups.h"
#include "utility/surface_pick.h"

namespace {
constexpr int kTimeLimit = 100000000;

// A time is read back when its spinner is let go or Enter is pressed in its edit, never while
// the spinner is dragged.
void ReadTime(HWND hWnd, int id, MarlovanUtil& panel) {
    if (id == IDC_MOTION_START_TIME_EDIT || id == IDC_MOTION_START_TIME_SPIN)
        panel.startTime = SpinnerValue(hWnd, IDC_MOTION_START_TIME_SPIN, panel.startTime);
    if (id == IDC_MOTION_END_TIME_EDIT || id == IDC_MOTION_END_TIME_SPIN)
        panel.endTime = SpinnerValue(hWnd, IDC_MOTION_END_TIME_SPIN, panel.endTime);
}

void Click(MarlovanUtil& panel, int id) {
    if (id == IDC_MOTION_RESET_BUTTON) panel.PressReset();
    if (id == IDC_MOTION_TRACE_BUTTON) panel.PressTrace();
    if (id == IDC_MOTION_SURFACE_BUTTON) panel.PressSurface();
}
}  // namespace

INT_PTR CALLBACK VehiclesMotionDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MarlovanUtil* panel = RollupPanel(hWnd, msg, lParam);
    if (panel == nullptr) return 0;
    switch (msg) {
        case WM_INITDIALOG:
            panel->motionWindow = hWnd;
            InitSpinner(hWnd, IDC_MOTION_START_TIME_SPIN, IDC_MOTION_START_TIME_EDIT, -kTimeLimit, kTimeLimit,
                        EDITTYPE_TIME, panel->startTime);
            InitSpinner(hWnd, IDC_MOTION_END_TIME_SPIN, IDC_MOTION_END_TIME_EDIT, -kTimeLimit, kTimeLimit,
                        EDITTYPE_TIME, panel->endTime);
            InitSurfaceButton(*panel, hWnd);
            break;
        case WM_DESTROY: ReleaseSurfaceButton(*panel); break;
        case CC_SPINNER_BUTTONUP:
        case WM_CUSTEDIT_ENTER: ReadTime(hWnd, LOWORD(wParam), *panel); break;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) Click(*panel, LOWORD(wParam));
            break;
        default: break;
    }
    return 0;
}
