// The "TrafficLightView" window class: the signal-diagram control of the traffic light's roll-up.
#pragma once

#include "host/win32.h"

inline constexpr wchar_t kTrafficLightViewClass[] = L"TrafficLightView";

LRESULT CALLBACK TrafficLightViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
