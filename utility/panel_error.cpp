#include "utility/panel_error.h"

#include "utility/marlovan_util.h"

void ShowPanelError(const MarlovanUtil& panel, const wchar_t* text) {
    MessageBoxW(panel.motionWindow, text, L"Error", MB_OK);
}
