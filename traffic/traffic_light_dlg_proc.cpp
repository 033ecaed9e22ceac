#include "traffic/traffic_light_dlg_proc.h"

#include "host/spinner.h"
#include "resources/resource.h"
#include "traffic/traffic_light.h"

namespace {
TrafficLightDlgProc trafficLightDlgProc;
}  // namespace

TrafficLightDlgProc& TheTrafficLightDlgProc() { return trafficLightDlgProc; }

INT_PTR TrafficLightDlgProc::DlgProc(TimeValue, IParamMap2*, HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        state_.dialog = hWnd;
        state_.view = GetDlgItem(hWnd, IDC_TRAFFIC_LIGHT_VIEW);
        state_.pblock = object_ != nullptr ? object_->GetParamBlock(0) : nullptr;
        SetWindowLongPtrW(state_.view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state_));
        state_.dragging = state_.holdBegun = false;
        EnableInputSpinners();
    } else if (msg == WM_COMMAND) {
        const int id = static_cast<int>(wParam & 0xFFFF);
        if (id == IDC_TRAFFIC_LIGHT_DIAGRAM_RADIO || id == IDC_TRAFFIC_LIGHT_ANIMATED_RADIO) EnableInputSpinners();
    }
    return FALSE;
}

void TrafficLightDlgProc::SetObject(TrafficLightObject* object) {
    if (object == object_) return;
    // An unfinished drag of the previous light ends here, so its hold is not left open.
    TrafficLightView::EndDrag(state_);
    if (IsWindow(state_.view)) SetWindowLongPtrW(state_.view, GWLP_USERDATA, 0);
    state_ = TrafficLightViewState{};
    object_ = object;
}

void TrafficLightDlgProc::EnableInputSpinners() {
    const bool animated = TrafficLightView::IsAnimated(state_);
    EnableSpinner(state_.dialog, IDC_TRAFFIC_LIGHT_PERIOD_SPIN, animated ? FALSE : TRUE);
    EnableSpinner(state_.dialog, IDC_TRAFFIC_LIGHT_INPUT_SPIN, animated ? TRUE : FALSE);
}

void EnableSpinner(HWND dialog, int id, BOOL enable) {
    ISpinnerControl* spinner = GetISpinner(GetDlgItem(dialog, id));
    if (spinner == nullptr) return;
    spinner->Enable(enable);
    ReleaseISpinner(spinner);
}
