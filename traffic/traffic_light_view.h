// The "TrafficLightView" window class: the signal-diagram control of the traffic light's roll-up.
// A strip of 24 cells, red above and green below, that the user paints by dragging with the left
// button, one undo step per drag; a white frame marks the slot current at the scene's time.
#pragma once

#include "host/win32.h"

class IParamBlock2;

inline constexpr wchar_t kTrafficLightViewClass[] = L"TrafficLightView";

// What the window works on; its user data points here once the roll-up is initialised.
struct TrafficLightViewState {
    HWND view = nullptr;
    IParamBlock2* pblock = nullptr;
    bool dragging = false;
    bool holdBegun = false;
    HWND dialog = nullptr;
};

namespace TrafficLightView {
void OnButton(TrafficLightViewState& state, bool down, int x, int y);
void OnMouseMove(TrafficLightViewState& state, int x, int y);
// Ends a drag, accepting its hold if it began one.
void EndDrag(TrafficLightViewState& state);
void OnPaint(TrafficLightViewState& state);
bool IsAnimated(const TrafficLightViewState& state);
}  // namespace TrafficLightView

LRESULT CALLBACK TrafficLightViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Registers the window class with the module's instance; once, at load.
ATOM RegisterTrafficLightView(HINSTANCE instance);
