#include "host/cust_button.h"

#include <new>

#include "host/testing.h"

void ICustButton::SetType(int type) {
    if (Window* w = FindWindowRecord(control_)) w->buttonType = type;
}

void ICustButton::SetHighlightColor(COLORREF color) {
    if (Window* w = FindWindowRecord(control_)) w->highlight = color;
}

void ICustButton::SetText(const wchar_t* text) {
    if (Window* w = FindWindowRecord(control_)) w->text = text != nullptr ? text : L"";
}

void ICustButton::SetCheck(BOOL checked) {
    if (Window* w = FindWindowRecord(control_)) w->check = checked ? BST_CHECKED : BST_UNCHECKED;
}

BOOL ICustButton::IsChecked() const {
    const Window* w = FindWindowRecord(control_);
    return w != nullptr && w->check == BST_CHECKED ? TRUE : FALSE;
}

ICustButton* GetICustButton(HWND control) {
    const Window* w = FindWindowRecord(control);
    if (w == nullptr || w->className != kCustButtonClass) return nullptr;
    return new (std::nothrow) ICustButton(control);
}

void ReleaseICustButton(ICustButton* button) { delete button; }

void HostClickButton(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    Window* w = FindWindowRecord(control);
    if (w == nullptr || !w->enabled) return;
    if (w->className == kCustButtonClass && w->buttonType == CBT_CHECK)
        w->check = w->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(control));
}
