#include "traffic/traffic_light_view.h"

LRESULT CALLBACK TrafficLightViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
