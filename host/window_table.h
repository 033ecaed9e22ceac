// The stand-in's windows: what each handle is, shared by the window and painting services.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/edit_type.h"
#include "host/win32.h"

struct PaintOp {
    enum class Kind { Ellipse, Rectangle, MoveTo, LineTo, Text };
    Kind kind;
    int coords[4];  // left, top, right, bottom; x, y for the pen moves and text
    COLORREF pen;   // text: the text colour
    COLORREF brush;
    std::string text{};
    int bkMode = OPAQUE;  // text: whether the background is filled
    bool operator==(const PaintOp&) const = default;
};

// What a spinner holds: the value in its own units (ticks for a time field).
struct SpinnerState {
    double value = 0.0;
    double low = 0.0, high = 0.0;
    float scale = 0.1f;
    HWND edit = nullptr;  // the linked edit field
    EditSpinnerType editType = EDITTYPE_FLOAT;
    bool operator==(const SpinnerState&) const = default;
};

// Custom button types.
constexpr int CBT_PUSH = 0;
constexpr int CBT_CHECK = 1;

struct Window {
    HWND handle = nullptr;
    HWND parent = nullptr;
    int id = 0;
    WNDPROC proc = nullptr;
    DLGPROC dialogProc = nullptr;  // a dialog's: called in place of proc
    std::wstring className;
    LONG_PTR userData = 0;
    bool enabled = true;
    int invalidations = 0;
    bool eraseAsked = false;
    std::vector<PaintOp> paintOps;  // of the latest BeginPaint
    std::vector<HWND> children;
    std::wstring text;
    UINT check = BST_UNCHECKED;  // buttons
    int buttonType = CBT_PUSH;   // custom buttons
    COLORREF highlight = 0;      // custom buttons: the colour when pressed
    SpinnerState spinner;
};

// The live window behind a handle, or null.
Window* FindWindowRecord(HWND hwnd);
