// The host's spinner controls, reached through an interface that the caller takes and releases.
// The value lives in the control; a linked edit field shows it.
#pragma once

#include "host/win32.h"
#include "host/window_table.h"

// Sent to the spinner's dialog: wParam's low word is the control id. While the user drags the
// value changes; on the button's release comes CC_SPINNER_BUTTONUP; Enter in an edit field
// sends WM_CUSTEDIT_ENTER with the edit's id.
constexpr UINT CC_SPINNER_CHANGE = WM_USER + 0x600;
constexpr UINT CC_SPINNER_BUTTONDOWN = WM_USER + 0x601;
constexpr UINT CC_SPINNER_BUTTONUP = WM_USER + 0x602;
constexpr UINT WM_CUSTEDIT_ENTER = WM_USER + 0x685;

class ISpinnerControl {
public:
    explicit ISpinnerControl(HWND control) : control_(control) {}
    void Enable(BOOL on = TRUE);
    void Disable() { Enable(FALSE); }
    BOOL IsEnabled() const;

    // limitCurValue FALSE keeps the present value even outside the new limits.
    void SetLimits(int low, int high, BOOL limitCurValue = TRUE);
    void SetLimits(float low, float high, BOOL limitCurValue = TRUE);
    void SetScale(float scale);
    void LinkToEdit(HWND edit, EditSpinnerType type);
    // notify TRUE tells the dialog, as a drag would.
    void SetValue(int value, int notify);
    void SetValue(float value, int notify);
    int GetIVal() const;
    float GetFVal() const;

private:
    void Limit(double low, double high, BOOL limitCurValue);
    void Set(double value, int notify);

    HWND control_;
};

inline constexpr wchar_t kSpinnerClass[] = L"SpinnerControl";

// The interface of a spinner control; null for any other window.
ISpinnerControl* GetISpinner(HWND control);
void ReleaseISpinner(ISpinnerControl* spinner);
