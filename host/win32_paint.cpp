// The recording paint context: each BeginPaint starts the window's operation list afresh, and
// every figure is kept with the pen and brush colours it was drawn with.
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "host/window_table.h"

struct HPEN__ {
    int style;
    int width;
    COLORREF color;
};

struct HDC__ {
    HWND window;
    HGDIOBJ pen;  // a stock pen or a created one
    int brush = WHITE_BRUSH;
    COLORREF penColor = 0x000000;    // the colours a new context's own pen and brush start with
    COLORREF brushColor = 0xFFFFFF;
    POINT position{0, 0};
    COLORREF textColor = 0x000000;
    int bkMode = OPAQUE;
};

namespace {

// Stock objects are small numbers dressed as handles, never dereferenced.
HGDIOBJ StockHandle(int which) { return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(0x100 + which)); }
int StockOf(HGDIOBJ object) { return static_cast<int>(reinterpret_cast<std::uintptr_t>(object)) - 0x100; }
bool IsPen(int which) { return which == BLACK_PEN || which == DC_PEN; }
bool IsBrush(int which) { return which == WHITE_BRUSH || which == DC_BRUSH; }

struct PenTable {
    std::mutex lock;
    std::set<const void*> pens;
};
// Never destroyed: pens live until the process ends.
PenTable& Pens() {
    static auto* pens = new PenTable;
    return *pens;
}
bool IsCreatedPen(HGDIOBJ object) {
    PenTable& t = Pens();
    std::lock_guard guard(t.lock);
    return t.pens.count(object) != 0;
}

COLORREF PenColor(const HDC__& dc) {
    if (dc.pen == StockHandle(DC_PEN)) return dc.penColor;
    if (IsCreatedPen(dc.pen)) return static_cast<const HPEN__*>(dc.pen)->color;
    return 0x000000;
}

BOOL Record(HDC dc, PaintOp::Kind kind, int a, int b, int c, int d) {
    if (dc == nullptr) return FALSE;
    Window* w = FindWindowRecord(dc->window);
    if (w == nullptr) return FALSE;
    const COLORREF pen = PenColor(*dc);
    const COLORREF brush = dc->brush == DC_BRUSH ? dc->brushColor : 0xFFFFFF;
    w->paintOps.push_back({kind, {a, b, c, d}, pen, brush});
    return TRUE;
}

}  // namespace

HDC WINAPI BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || paint == nullptr) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->fErase = w->eraseAsked ? TRUE : FALSE;
    w->invalidations = 0;
    w->eraseAsked = false;
    w->paintOps.clear();
    paint->hdc = new HDC__{hwnd, StockHandle(BLACK_PEN)};
    return paint->hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (paint == nullptr) return FALSE;
    delete paint->hdc;
    return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int which) {
    return IsPen(which) || IsBrush(which) ? StockHandle(which) : nullptr;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    const int which = StockOf(object);
    if (dc == nullptr) return nullptr;
    if (IsPen(which) || IsCreatedPen(object)) return std::exchange(dc->pen, IsPen(which) ? StockHandle(which) : object);
    if (IsBrush(which)) return StockHandle(std::exchange(dc->brush, which));
    return nullptr;
}

COLORREF WINAPI SetDCPenColor(HDC dc, COLORREF color) {
    return dc != nullptr ? std::exchange(dc->penColor, color) : 0xFFFFFFFFu;
}

COLORREF WINAPI SetDCBrushColor(HDC dc, COLORREF color) {
    return dc != nullptr ? std::exchange(dc->brushColor, color) : 0xFFFFFFFFu;
}

BOOL WINAPI Ellipse(HDC dc, int left, int top, int right, int bottom) {
    return Record(dc, PaintOp::Kind::Ellipse, left, top, right, bottom);
}

BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom) {
    return Record(dc, PaintOp::Kind::Rectangle, left, top, right, bottom);
}

BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
    if (dc != nullptr && previous != nullptr) *previous = dc->position;
    if (dc != nullptr) dc->position = {x, y};
    return Record(dc, PaintOp::Kind::MoveTo, x, y, 0, 0);
}

BOOL WINAPI LineTo(HDC dc, int x, int y) {
    if (dc != nullptr) dc->position = {x, y};
    return Record(dc, PaintOp::Kind::LineTo, x, y, 0, 0);
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    auto* pen = new HPEN__{style, width, color};
    PenTable& t = Pens();
    std::lock_guard guard(t.lock);
    t.pens.insert(pen);
    return pen;
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
    return dc != nullptr ? std::exchange(dc->textColor, color) : 0xFFFFFFFFu;
}

int WINAPI SetBkMode(HDC dc, int mode) { return dc != nullptr ? std::exchange(dc->bkMode, mode) : 0; }

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    if (dc == nullptr || text == nullptr || length < 0) return FALSE;
    Window* w = FindWindowRecord(dc->window);
    if (w == nullptr) return FALSE;
    PaintOp op{PaintOp::Kind::Text, {x, y, 0, 0}, dc->textColor, 0xFFFFFF};
    op.text.assign(text, static_cast<std::size_t>(length));
    op.bkMode = dc->bkMode;
    w->paintOps.push_back(std::move(op));
    return TRUE;
}
