#include "app/panel_session.h"

#include <stdexcept>

#include "app/class_directory.h"
#include "host/class_desc.h"
#include "host/interface.h"
#include "host/rollups.h"
#include "host/spinner.h"
#include "host/testing.h"
#include "host/viewport.h"
#include "resources/resource.h"

namespace {
constexpr const wchar_t* kMotion = L"Vehicles Motion";
constexpr const wchar_t* kSetup = L"Vehicle Setup";
constexpr const wchar_t* kCopy = L"Vehicle Copy";
}  // namespace

PanelSession::PanelSession(const ClassDirectory& classes, Interface* ip) : ip_(ip) {
    if (!ip_->OpenUtility(classes.Find(L"Marlovan2", UTILITY_CLASS_ID)) || Page(kMotion) == nullptr)
        throw std::runtime_error("the module has no utility panel to open");
}

PanelSession::~PanelSession() { ip_->CloseUtility(); }

HWND PanelSession::Page(const wchar_t* title) const { return FindRollupPage(title); }

int PanelSession::SpinnerValue(const wchar_t* page, int spinner) const {
    ISpinnerControl* control = GetISpinner(GetDlgItem(Page(page), spinner));
    if (control == nullptr) return 0;
    const int value = control->GetIVal();
    ReleaseISpinner(control);
    return value;
}

bool PanelSession::TypeStart(long long frame) {
    HostTypeInEdit(GetDlgItem(Page(kMotion), IDC_MOTION_START_TIME_EDIT), static_cast<double>(frame));
    return Start() == static_cast<double>(frame) * GetTicksPerFrame();
}

bool PanelSession::TypeEnd(long long frame) {
    HostTypeInEdit(GetDlgItem(Page(kMotion), IDC_MOTION_END_TIME_EDIT), static_cast<double>(frame));
    return End() == static_cast<double>(frame) * GetTicksPerFrame();
}

TimeValue PanelSession::Start() const { return SpinnerValue(kMotion, IDC_MOTION_START_TIME_SPIN); }

TimeValue PanelSession::End() const { return SpinnerValue(kMotion, IDC_MOTION_END_TIME_SPIN); }

void PanelSession::PressTrace() { HostClickButton(Page(kMotion), IDC_MOTION_TRACE_BUTTON); }

void PanelSession::PressReset() { HostClickButton(Page(kMotion), IDC_MOTION_RESET_BUTTON); }

bool PanelSession::FinishPick(bool picked) {
    if (!picked) HostPickRightClick();
    return picked;
}

bool PanelSession::PickSurface(INode* node) {
    HostClickButton(Page(kMotion), IDC_MOTION_SURFACE_BUTTON);
    return FinishPick(node != nullptr && HostPickClickOn(node));
}

bool PanelSession::PickSurfaceAt(const Point3& world) {
    HostClickButton(Page(kMotion), IDC_MOTION_SURFACE_BUTTON);
    ViewExp* view = ip_->GetActiveViewExp();
    ScreenMapping mapping = view->GetScreenMapping();
    mapping.centre = {world.x, world.y, 0.0f};
    const bool framed = view->SetScreenMapping(mapping);
    return FinishPick(framed && HostPickClick({mapping.width / 2, mapping.height / 2}));
}

std::wstring PanelSession::SurfaceCaption() const {
    return HostWindowStateOf(GetDlgItem(Page(kMotion), IDC_MOTION_SURFACE_BUTTON)).text;
}

void PanelSession::SetUp(int type) {
    HostClickButton(Page(kSetup), IDC_SETUP_CAR_RADIO + type);
    HostClickButton(Page(kSetup), IDC_SETUP_BUTTON);
}

bool PanelSession::Copy(long long count, int direction) {
    HostTypeInEdit(GetDlgItem(Page(kCopy), IDC_COPY_COUNT_EDIT), static_cast<double>(count));
    if (SpinnerValue(kCopy, IDC_COPY_COUNT_SPIN) != count) return false;
    if (direction >= 0) HostClickButton(Page(kCopy), IDC_COPY_RIGHT_RADIO + direction);
    HostClickButton(Page(kCopy), IDC_COPY_BUTTON);
    return true;
}
