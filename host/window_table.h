// The stand-in's windows: what each handle is, shared by the window and painting services.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/win32.h"

struct PaintOp {
    enum class Kind { Ellipse, Rectangle, MoveTo, LineTo };
    Kind kind;
    int coords[4];  // left, top, right, bottom; x, y for the pen moves
    COLORREF pen;
    COLORREF brush;
    bool operator==(const PaintOp&) const = default;
};

struct Window {
    HWND handle = nullptr;
    HWND parent = nullptr;
    int id = 0;
    WNDPROC proc = nullptr;
    std::wstring className;
    LONG_PTR userData = 0;
    bool enabled = true;
    int invalidations = 0;
    bool eraseAsked = false;
    std::vector<PaintOp> paintOps;  // of the latest BeginPaint
    std::vector<HWND> children;
};

// The live window behind a handle, or null.
Window* FindWindowRecord(HWND hwnd);
