// Painting of the signal diagram: legend lamps, the 24 cells, and the frame of the current slot.
#include "host/interface.h"
#include "host/param_block.h"
#include "traffic/diagram_slot.h"
#include "traffic/traffic_light.h"
#include "traffic/traffic_light_view.h"

namespace {

constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kGreyRed = 0xA0A0A0, kGreyGreen = 0xB0B0B0;
constexpr COLORREF kCellBackground = 0x606060, kWhite = 0xFFFFFF;

void Fill(HDC dc, COLORREF colour, BOOL(WINAPI* figure)(HDC, int, int, int, int), int l, int t, int r, int b) {
    SetDCBrushColor(dc, colour);
    figure(dc, l, t, r, b);
}

void DrawCells(HDC dc, const IParamBlock2& block, COLORREF red, COLORREF green) {
    Fill(dc, red, Ellipse, 5, 0, 20, 15);
    Fill(dc, green, Ellipse, 5, 15, 20, 30);
    for (int i = 0; i < kDiagramSlots; ++i) {
        const int left = 25 + 5 * i, right = 31 + 5 * i;
        Fill(dc, kCellBackground, Rectangle, left, 0, right, 31);
        if (block.GetInt(kDiagramParam, 0, i) != 0)
            Fill(dc, green, Rectangle, left, 15, right, 31);
        else
            Fill(dc, red, Rectangle, left, 0, right, 16);
    }
}

void DrawMarker(HDC dc, int slot) {
    const int left = 25 + 5 * slot, right = 30 + 5 * slot;
    SetDCPenColor(dc, kWhite);
    MoveToEx(dc, left, 0, nullptr);
    LineTo(dc, right, 0);
    LineTo(dc, right, 30);
    LineTo(dc, left, 30);
    LineTo(dc, left, 0);
}

}  // namespace

void TrafficLightView::OnPaint(TrafficLightViewState& state) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(state.view, &ps);
    if (dc == nullptr) return;
    if (state.pblock != nullptr) {
        const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
        const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
        const bool animated = IsAnimated(state);
        DrawCells(dc, *state.pblock, animated ? kGreyRed : kRed, animated ? kGreyGreen : kGreen);
        if (!animated)
            DrawMarker(dc, DiagramSlot(GetCOREInterface()->GetTime(), state.pblock->GetInt(kPeriodParam, 0)));
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
    }
    EndPaint(state.view, &ps);
}
