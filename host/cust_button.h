// The host's custom buttons: push or check buttons with a caption and a pressed colour, reached
// through an interface that the caller takes and releases.
#pragma once

#include "host/win32.h"
#include "host/window_table.h"

class ICustButton {
public:
    explicit ICustButton(HWND control) : control_(control) {}
    void SetType(int type);
    void SetHighlightColor(COLORREF color);
    void SetText(const wchar_t* text);
    // Shows a check button pressed or released.
    void SetCheck(BOOL checked);
    BOOL IsChecked() const;

private:
    HWND control_;
};

inline constexpr wchar_t kCustButtonClass[] = L"CustButton";

// The interface of a custom button; null for any other window.
ICustButton* GetICustButton(HWND control);
void ReleaseICustButton(ICustButton* button);
