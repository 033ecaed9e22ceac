#include "host/spinner.h"

#include <new>

#include "host/window_table.h"

void ISpinnerControl::Enable(BOOL on) {
    if (Window* w = FindWindowRecord(control_)) w->enabled = on != FALSE;
}

BOOL ISpinnerControl::IsEnabled() const {
    const Window* w = FindWindowRecord(control_);
    return w != nullptr && w->enabled ? TRUE : FALSE;
}

ISpinnerControl* GetISpinner(HWND control) {
    const Window* w = FindWindowRecord(control);
    if (w == nullptr || w->className != kSpinnerClass) return nullptr;
    return new (std::nothrow) ISpinnerControl(control);
}

void ReleaseISpinner(ISpinnerControl* spinner) { delete spinner; }
