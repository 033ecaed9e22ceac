// "Vehicle Setup": which way a vehicle must face, its type, and "Set Up".
#include "resources/resource.h"
#include "utility/marlovan_util.h"
#include "utility/panel_rollups.h"

namespace {
constexpr int kTypes = 3;

void SetupClick(MarlovanUtil& panel, HWND hWnd, int id) {
    if (id >= IDC_SETUP_CAR_RADIO && id < IDC_SETUP_CAR_RADIO + kTypes && !panel.IsRunning()) {
        panel.vehicleType = id - IDC_SETUP_CAR_RADIO;
        CheckRadio(hWnd, IDC_SETUP_CAR_RADIO, kTypes, panel.vehicleType);
    }
    if (id == IDC_SETUP_BUTTON) panel.PressSetUp();
}

void Paint(HWND hWnd) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hWnd, &ps);
    if (dc != nullptr) DrawDirectionDiagram(dc);
    EndPaint(hWnd, &ps);
}

void ClosedOutline(HDC dc, const POINT* points, int count) {
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (int i = 1; i < count; ++i) LineTo(dc, points[i].x, points[i].y);
    LineTo(dc, points[0].x, points[0].y);
}
}  // namespace

void DrawDirectionDiagram(HDC dc) {
    // Made once and kept until the process ends.
    static const HPEN yellow = CreatePen(PS_SOLID, 2, 0x00FFFF);
    static const HPEN green = CreatePen(PS_SOLID, 2, 0x00FF00);
    static constexpr POINT kBody[] = {{65, 50}, {95, 50}, {95, 130}, {65, 130}};
    static constexpr POINT kArrow[] = {{80, 70}, {90, 110}, {70, 110}};
    const HGDIOBJ previous = SelectObject(dc, yellow);
    ClosedOutline(dc, kBody, 4);
    SelectObject(dc, green);
    ClosedOutline(dc, kArrow, 3);
    SetTextColor(dc, 0xFFFFFF);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 20, 20, "Top", 3);
    SelectObject(dc, previous);
}

INT_PTR CALLBACK VehicleSetupDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MarlovanUtil* panel = RollupPanel(hWnd, msg, lParam);
    if (panel == nullptr) return 0;
    switch (msg) {
        case WM_INITDIALOG:
            panel->setupWindow = hWnd;
            CheckRadio(hWnd, IDC_SETUP_CAR_RADIO, kTypes, panel->vehicleType);
            break;
        case WM_PAINT: Paint(hWnd); break;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) SetupClick(*panel, hWnd, LOWORD(wParam));
            break;
        default: break;
    }
    return 0;
}
