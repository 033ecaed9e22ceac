#include "host/spinner.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "host/testing.h"
#include "host/time.h"

namespace {
SpinnerState* StateOf(HWND control) {
    Window* w = FindWindowRecord(control);
    return w != nullptr ? &w->spinner : nullptr;
}

void Tell(HWND control, UINT msg) {
    const Window* w = FindWindowRecord(control);
    if (w != nullptr) SendMessageW(w->parent, msg, MAKEWPARAM(static_cast<WORD>(w->id), 0), reinterpret_cast<LPARAM>(control));
}

// The spinner that shows its value in this edit field, or null.
HWND SpinnerOfEdit(HWND edit) {
    const Window* e = FindWindowRecord(edit);
    const Window* dialog = e != nullptr ? FindWindowRecord(e->parent) : nullptr;
    if (dialog == nullptr) return nullptr;
    for (HWND child : dialog->children)
        if (FindWindowRecord(child)->spinner.edit == edit) return child;
    return nullptr;
}

void SetClamped(HWND control, double value) {
    if (SpinnerState* s = StateOf(control)) s->value = std::clamp(value, s->low, s->high);
}
}  // namespace

void ISpinnerControl::Enable(BOOL on) {
    if (Window* w = FindWindowRecord(control_)) w->enabled = on != FALSE;
}

BOOL ISpinnerControl::IsEnabled() const {
    const Window* w = FindWindowRecord(control_);
    return w != nullptr && w->enabled ? TRUE : FALSE;
}

void ISpinnerControl::Limit(double low, double high, BOOL limitCurValue) {
    SpinnerState* s = StateOf(control_);
    if (s == nullptr) return;
    s->low = low;
    s->high = high;
    if (limitCurValue) s->value = std::clamp(s->value, low, high);
}

void ISpinnerControl::SetLimits(int low, int high, BOOL limitCurValue) { Limit(low, high, limitCurValue); }

void ISpinnerControl::SetLimits(float low, float high, BOOL limitCurValue) { Limit(low, high, limitCurValue); }

void ISpinnerControl::SetScale(float scale) {
    if (SpinnerState* s = StateOf(control_)) s->scale = scale;
}

void ISpinnerControl::LinkToEdit(HWND edit, EditSpinnerType type) {
    if (SpinnerState* s = StateOf(control_)) {
        s->edit = edit;
        s->editType = type;
    }
}

void ISpinnerControl::Set(double value, int notify) {
    SpinnerState* s = StateOf(control_);
    if (s == nullptr) return;
    s->value = value;
    if (notify) Tell(control_, CC_SPINNER_CHANGE);
}

void ISpinnerControl::SetValue(int value, int notify) { Set(value, notify); }

void ISpinnerControl::SetValue(float value, int notify) { Set(value, notify); }

int ISpinnerControl::GetIVal() const {
    const SpinnerState* s = StateOf(control_);
    return s != nullptr ? static_cast<int>(std::lround(std::clamp(s->value, -2147483648.0, 2147483647.0))) : 0;
}

float ISpinnerControl::GetFVal() const {
    const SpinnerState* s = StateOf(control_);
    return s != nullptr ? static_cast<float>(s->value) : 0.0f;
}

ISpinnerControl* GetISpinner(HWND control) {
    const Window* w = FindWindowRecord(control);
    if (w == nullptr || w->className != kSpinnerClass) return nullptr;
    return new (std::nothrow) ISpinnerControl(control);
}

void ReleaseISpinner(ISpinnerControl* spinner) { delete spinner; }

void HostDragSpinner(HWND spinner, double value) {
    if (StateOf(spinner) == nullptr) return;
    Tell(spinner, CC_SPINNER_BUTTONDOWN);
    SetClamped(spinner, value);
    Tell(spinner, CC_SPINNER_CHANGE);
}

void HostReleaseSpinner(HWND spinner) { Tell(spinner, CC_SPINNER_BUTTONUP); }

void HostTypeInEdit(HWND edit, double shown) {
    const HWND spinner = SpinnerOfEdit(edit);
    const SpinnerState* s = StateOf(spinner);
    if (s == nullptr || !std::isfinite(shown)) return;
    const double value = s->editType == EDITTYPE_TIME ? shown * GetTicksPerFrame() : shown;
    SetClamped(spinner, s->editType == EDITTYPE_FLOAT ? value : std::round(value));
    Tell(edit, WM_CUSTEDIT_ENTER);
}
