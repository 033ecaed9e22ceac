#include "host/spinner.h"
#include "utility/marlovan_util.h"
#include "utility/panel_rollups.h"

MarlovanUtil* RollupPanel(HWND hWnd, UINT msg, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrW(hWnd, GWLP_USERDATA, lParam);
    return reinterpret_cast<MarlovanUtil*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

void CheckRadio(HWND hWnd, int first, int count, int selected) {
    for (int i = 0; i < count; ++i) CheckDlgButton(hWnd, first + i, i == selected ? BST_CHECKED : BST_UNCHECKED);
}

int SpinnerValue(HWND hWnd, int spinnerId, int fallback) {
    ISpinnerControl* spinner = GetISpinner(GetDlgItem(hWnd, spinnerId));
    if (spinner == nullptr) return fallback;
    const int value = spinner->GetIVal();
    ReleaseISpinner(spinner);
    return value;
}

void InitSpinner(HWND hWnd, int spinnerId, int editId, int low, int high, EditType type, int value) {
    ISpinnerControl* spinner = GetISpinner(GetDlgItem(hWnd, spinnerId));
    if (spinner == nullptr) return;
    spinner->SetLimits(low, high, FALSE);
    spinner->SetScale(1000.0f);
    spinner->LinkToEdit(GetDlgItem(hWnd, editId), type);
    spinner->SetValue(value, FALSE);
    ReleaseISpinner(spinner);
}
