// The host's spinner controls, reached through an interface that the caller takes and releases.
#pragma once

#include "host/win32.h"

class ISpinnerControl {
public:
    explicit ISpinnerControl(HWND control) : control_(control) {}
    void Enable(BOOL on = TRUE);
    void Disable() { Enable(FALSE); }
    BOOL IsEnabled() const;

private:
    HWND control_;
};

inline constexpr wchar_t kSpinnerClass[] = L"SpinnerControl";

// The interface of a spinner control; null for any other window.
ISpinnerControl* GetISpinner(HWND control);
void ReleaseISpinner(ISpinnerControl* spinner);
