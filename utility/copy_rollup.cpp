// "Vehicle Copy": how many vehicles a row holds and which way it runs, and "Do Copy".
#include "host/spinner.h"
#include "resources/resource.h"
#include "utility/marlovan_util.h"
#include "utility/panel_rollups.h"

namespace {
constexpr int kDirections = 4;

void CopyClick(MarlovanUtil& panel, HWND hWnd, int id) {
    if (id >= IDC_COPY_RIGHT_RADIO && id < IDC_COPY_RIGHT_RADIO + kDirections && !panel.IsRunning()) {
        panel.copyDirection = id - IDC_COPY_RIGHT_RADIO;
        CheckRadio(hWnd, IDC_COPY_RIGHT_RADIO, kDirections, panel.copyDirection);
    }
    if (id == IDC_COPY_BUTTON) panel.PressCopy();
}
}  // namespace

INT_PTR CALLBACK VehicleCopyDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MarlovanUtil* panel = RollupPanel(hWnd, msg, lParam);
    if (panel == nullptr) return 0;
    switch (msg) {
        case WM_INITDIALOG:
            panel->copyWindow = hWnd;
            InitSpinner(hWnd, IDC_COPY_COUNT_SPIN, IDC_COPY_COUNT_EDIT, 1, 1000, EDITTYPE_INT, panel->numCopies);
            CheckRadio(hWnd, IDC_COPY_RIGHT_RADIO, kDirections, panel->copyDirection);
            break;
        case CC_SPINNER_BUTTONUP:
        case WM_CUSTEDIT_ENTER:
            if (LOWORD(wParam) == IDC_COPY_COUNT_EDIT || LOWORD(wParam) == IDC_COPY_COUNT_SPIN)
                panel->numCopies = SpinnerValue(hWnd, IDC_COPY_COUNT_SPIN, panel->numCopies);
            break;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) CopyClick(*panel, hWnd, LOWORD(wParam));
            break;
        default: break;
    }
    return 0;
}
