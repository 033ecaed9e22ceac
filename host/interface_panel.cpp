// The command panel's side of the interface: roll-up pages, registered dialogs, the utility
// panel and pick mode.
#include <algorithm>
#include <optional>

#include "host/class_desc.h"
#include "host/interface.h"
#include "host/module_resources.h"
#include "host/pick_mode.h"
#include "host/rollups.h"
#include "host/testing.h"
#include "host/utility_obj.h"
#include "host/viewport.h"

namespace {
class UtilityPanel final : public IUtil {
public:
    explicit UtilityPanel(Interface* ip) : ip_(ip) {}
    void CloseUtility() override { ip_->CloseUtility(); }

private:
    Interface* ip_;
};

// The pixels from the pixel to the nearest part of the node's object, when it is hit.
std::optional<DWORD> HitDistance(INode* node, TimeValue t, IPoint2 pixel, ViewExp* vpt) {
    ObjectState os = node->EvalWorldState(t);
    if (os.obj == nullptr) return std::nullopt;
    GraphicsWindow* gw = vpt->getGW();
    gw->clearHitCode();
    if (os.obj->HitTest(t, node, HITTYPE_POINT, 0, 0, &pixel, vpt) == 0) return std::nullopt;
    return gw->getHitDistance();
}

template <class F>
void EachNode(INode* node, F&& f) {
    if (!node->IsRootNode()) f(node);
    for (int i = 0; i < node->NumberOfChildren(); ++i) EachNode(node->GetChildNode(i), f);
}
}  // namespace

HWND Interface::AddRollupPage(HINSTANCE instance, int dialogId, DLGPROC proc, const wchar_t* title, LPARAM param,
                              DWORD, int category) {
    const HWND page = HostCreateWindow(nullptr, L"#32770", dialogId, nullptr);
    for (const auto& [id, className] : HostDialogControls(instance, dialogId)) {
        const WNDCLASSW* wc = HostFindWindowClass(instance, className.c_str());
        HostCreateWindow(wc != nullptr ? wc->lpfnWndProc : nullptr, className.c_str(), id, page);
    }
    // A page that Windows could not make (as without a display) gets no procedure.
    if (Window* w = FindWindowRecord(page)) w->dialogProc = proc;
    OpenRollupPages().push_back({page, title != nullptr ? title : L"", dialogId, category});
    SendMessageW(page, WM_INITDIALOG, 0, param);
    return page;
}

void Interface::DeleteRollupPage(HWND page) {
    auto& pages = OpenRollupPages();
    const auto it = std::find_if(pages.begin(), pages.end(), [&](const RollupPage& p) { return p.window == page; });
    if (it == pages.end()) return;
    pages.erase(it);
    std::erase(registeredDialogs_, page);
    SendMessageW(page, WM_DESTROY, 0, 0);
    HostDestroyWindow(page);
}

void Interface::RegisterDlgWnd(HWND dialog) {
    if (IsWindow(dialog) && !IsDlgWndRegistered(dialog)) registeredDialogs_.push_back(dialog);
}

bool Interface::IsDlgWndRegistered(HWND dialog) const {
    return std::find(registeredDialogs_.begin(), registeredDialogs_.end(), dialog) != registeredDialogs_.end();
}

bool Interface::OpenUtility(ClassDesc* desc) {
    CloseUtility();
    if (desc == nullptr || desc->SuperClassID() != UTILITY_CLASS_ID) return false;
    auto* utility = static_cast<UtilityObj*>(desc->Create(FALSE));
    if (utility == nullptr) return false;
    if (utilityPanel_ == nullptr) utilityPanel_ = std::make_unique<UtilityPanel>(this);
    utility_ = utility;
    utility_->BeginEditParams(this, utilityPanel_.get());
    return true;
}

void Interface::CloseUtility() {
    UtilityObj* utility = std::exchange(utility_, nullptr);
    if (utility == nullptr) return;
    utility->EndEditParams(this, utilityPanel_.get());
    utility->DeleteThis();
}

void Interface::SelectionSetChanged() {
    if (utility_ != nullptr) utility_->SelectionSetChanged(this, utilityPanel_.get());
}

void Interface::SetPickMode(PickModeCallback* mode) {
    ClearPickMode();
    pickMode_ = mode;
    if (mode != nullptr) mode->EnterMode(static_cast<IObjParam*>(this));
}

void Interface::ClearPickMode() {
    if (PickModeCallback* mode = std::exchange(pickMode_, nullptr)) mode->ExitMode(static_cast<IObjParam*>(this));
}

ViewExp* Interface::GetActiveViewExp() {
    if (view_ == nullptr) view_ = std::make_unique<ViewExp>();
    return view_.get();
}

HWND Interface::GetActiveViewportWindow() {
    if (!IsWindow(viewWindow_)) viewWindow_ = HostCreateWindow(nullptr, L"Viewport", 0, nullptr);
    return viewWindow_;
}

INode* Interface::PickNode(HWND, IPoint2 pixel, PickNodeCallback* filter) {
    ViewExp* vpt = GetActiveViewExp();
    vpt->ClearHits();
    INode* best = nullptr;
    DWORD bestDistance = 0;
    EachNode(root_.get(), [&](INode* node) {
        if (node->IsHidden() || (pickOnly_ != nullptr && node != pickOnly_)) return;
        if (filter != nullptr && !filter->Filter(node)) return;
        const auto distance = pickOnly_ != nullptr ? std::optional<DWORD>(0) : HitDistance(node, time_, pixel, vpt);
        if (distance && (best == nullptr || *distance < bestDistance)) {
            best = node;
            bestDistance = *distance;
        }
    });
    if (best != nullptr) vpt->LogHit(best, bestDistance, 0, nullptr);
    return best;
}

bool HostPickClick(IPoint2 pixel) {
    Interface* ip = GetCOREInterface();
    PickModeCallback* mode = ip->GetCurPickMode();
    if (mode == nullptr) return false;
    auto* param = static_cast<IObjParam*>(ip);
    ViewExp* vpt = ip->GetActiveViewExp();
    if (!mode->HitTest(param, ip->GetActiveViewportWindow(), vpt, pixel, 0)) return false;
    if (!mode->Pick(param, vpt)) return false;
    ip->ClearPickMode();
    return true;
}

bool HostPickClickOn(INode* node) {
    Interface* ip = GetCOREInterface();
    ip->RestrictPicksTo(node);
    const bool picked = HostPickClick({0, 0});
    ip->RestrictPicksTo(nullptr);
    return picked;
}

void HostPickRightClick() {
    Interface* ip = GetCOREInterface();
    PickModeCallback* mode = ip->GetCurPickMode();
    if (mode != nullptr && mode->RightClick(static_cast<IObjParam*>(ip), ip->GetActiveViewExp())) ip->ClearPickMode();
}
