#include "traffic/traffic_light_view.h"

#include "host/hold.h"
#include "host/param_block.h"
#include "traffic/diagram_slot.h"
#include "traffic/traffic_light.h"

namespace {

// Signed, as a mouse beyond the window's left or top edge gives negative coordinates.
int LowWord(LPARAM v) { return static_cast<short>(static_cast<WORD>(v & 0xFFFF)); }
int HighWord(LPARAM v) { return static_cast<short>(static_cast<WORD>((v >> 16) & 0xFFFF)); }

}  // namespace

namespace TrafficLightView {

bool IsAnimated(const TrafficLightViewState& state) {
    return state.pblock != nullptr && state.pblock->GetInt(kInputTypeParam, 0) != 0;
}

void EndDrag(TrafficLightViewState& state) {
    state.dragging = false;
    if (!state.holdBegun) return;
    state.holdBegun = false;
    theHold.Accept(L"TrafficLight Diagram");
}

void OnButton(TrafficLightViewState& state, bool down, int x, int y) {
    EndDrag(state);
    if (!down || IsAnimated(state)) return;
    state.dragging = true;
    OnMouseMove(state, x, y);
}

void OnMouseMove(TrafficLightViewState& state, int x, int y) {
    if (!state.dragging || IsAnimated(state) || state.pblock == nullptr) return;
    const int slot = (x - 25) / 5, row = y / 15;
    if (slot < 0 || slot >= kDiagramSlots || row < 0 || row >= 2) return;
    if (state.pblock->GetInt(kDiagramParam, 0, slot) != row && !state.holdBegun) {
        state.holdBegun = true;
        theHold.Begin();
    }
    state.pblock->SetValue(kDiagramParam, 0, row, slot);
}

}  // namespace TrafficLightView

LRESULT CALLBACK TrafficLightViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<TrafficLightViewState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (state == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    const int x = LowWord(lParam), y = HighWord(lParam);
    switch (msg) {
        case WM_LBUTTONDOWN:
            TrafficLightView::OnButton(*state, true, x, y);
            SetCapture(hwnd);
            return 0;
        case WM_LBUTTONUP:
            TrafficLightView::OnButton(*state, false, x, y);
            ReleaseCapture();
            return 0;
        case WM_MOUSEMOVE:
            if ((wParam & MK_LBUTTON) != 0) TrafficLightView::OnMouseMove(*state, x, y);
            return 0;
        case WM_CAPTURECHANGED:
            TrafficLightView::EndDrag(*state);
            return 0;
        case WM_PAINT:
            TrafficLightView::OnPaint(*state);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

ATOM RegisterTrafficLightView(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TrafficLightViewProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTrafficLightViewClass;
    return RegisterClassW(&wc);
}
