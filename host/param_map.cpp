#include "host/param_map.h"

#include "host/interface.h"
#include "host/module_resources.h"
#include "host/param_block.h"
#include "host/testing.h"

IParamMap2::IParamMap2(ParamBlockDesc2* desc, IParamBlock2* block, HINSTANCE instance)
    : desc_(desc), block_(block), userProc_(desc->GetUserDlgProc()) {
    dialog_ = HostCreateWindow(DialogProc, L"#32770", desc->DialogId(), nullptr);
    for (const auto& [id, className] : HostDialogControls(instance, desc->DialogId())) {
        const WNDCLASSW* wc = HostFindWindowClass(instance, className.c_str());
        HostCreateWindow(wc != nullptr ? wc->lpfnWndProc : nullptr, className.c_str(), id, dialog_);
    }
    SetWindowLongPtrW(dialog_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Message(WM_INITDIALOG, 0, 0);
}

IParamMap2::~IParamMap2() { HostDestroyWindow(dialog_); }

LRESULT CALLBACK IParamMap2::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* map = reinterpret_cast<IParamMap2*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return map != nullptr ? map->Message(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT IParamMap2::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) ApplyRadio(static_cast<int>(wParam & 0xFFFF));
    if (userProc_ == nullptr) return 0;
    return userProc_->DlgProc(GetCOREInterface()->GetTime(), this, dialog_, msg, wParam, lParam);
}

void IParamMap2::ApplyRadio(int controlId) {
    if (block_ == nullptr) return;
    for (int i = 0; i < desc_->Count(); ++i) {
        const ParamDef& def = desc_->Param(i);
        for (const ParamOptionRecord& option : def.options) {
            // p_ui, TYPE_RADIO, count, then the buttons' ids in value order.
            const auto& v = option.values;
            if (option.tag != p_ui || v.size() < 2 || v[0] != static_cast<double>(TYPE_RADIO)) continue;
            for (std::size_t b = 2; b < v.size() && b < 2 + static_cast<std::size_t>(v[1]); ++b)
                if (v[b] == controlId) block_->SetValue(def.id, 0, static_cast<int>(b - 2));
        }
    }
}
