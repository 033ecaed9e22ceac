#include "utility/marlovan_util.h"

#include <utility>

#include "common/categories.h"
#include "common/module_handle.h"
#include "host/class_desc.h"
#include "host/time.h"
#include "resources/resource.h"
#include "utility/panel_rollups.h"
#include "utility/surface_pick.h"

namespace {

constexpr Class_ID kMarlovanUtilClassID{0x76CF7E63, 0x4ABC295E};

MarlovanUtil thePanel;

class MarlovanUtilClassDesc final : public ClassDesc2 {
public:
    int IsPublic() override { return 1; }
    void* Create(BOOL) override { return static_cast<UtilityObj*>(&thePanel); }
    const wchar_t* ClassName() override { return GetMarlovanCategory(); }
    const wchar_t* InternalName() override { return GetMarlovanCategory(); }
    SClass_ID SuperClassID() override { return UTILITY_CLASS_ID; }
    Class_ID ClassID() override { return kMarlovanUtilClassID; }
    const wchar_t* Category() override { return L""; }
    HINSTANCE HInstance() override { return ClassDescHInstance(); }
};

MarlovanUtilClassDesc utilDesc;

struct PageSpec {
    const wchar_t* title;
    int dialog;
    DLGPROC proc;
    HWND MarlovanUtil::*window;
};

constexpr PageSpec kPages[] = {
    {L"Vehicles Motion", IDD_VEHICLES_MOTION, VehiclesMotionDlgProc, &MarlovanUtil::motionWindow},
    {L"Vehicle Setup", IDD_VEHICLE_SETUP, VehicleSetupDlgProc, &MarlovanUtil::setupWindow},
    {L"Vehicle Copy", IDD_VEHICLE_COPY, VehicleCopyDlgProc, &MarlovanUtil::copyWindow},
    {L"About", IDD_ABOUT, AboutDlgProc, &MarlovanUtil::aboutWindow},
};

}  // namespace

MarlovanUtil::MarlovanUtil() : endTime(100 * GetTicksPerFrame()) {}

MarlovanUtil& ThePanel() { return thePanel; }

ClassDesc* GetMarlovanUtilDesc() { return &utilDesc; }

void MarlovanUtil::BeginEditParams(Interface*, IUtil* util) {
    iu = util;
    ip = GetCOREInterface();
    for (const PageSpec& page : kPages) {
        const HWND window = ip->AddRollupPage(ClassDescHInstance(), page.dialog, page.proc, page.title,
                                              reinterpret_cast<LPARAM>(this), 0, ROLLUP_CAT_STANDARD);
        this->*page.window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ip->RegisterDlgWnd(window);
    }
    SetDlgItemTextA(aboutWindow, IDC_ABOUT_TEXT, AboutText());
}

void MarlovanUtil::EndEditParams(Interface* host, IUtil*) {
    iu = nullptr;
    ip = nullptr;
    Interface* pages = host != nullptr ? host : GetCOREInterface();
    for (const PageSpec& page : kPages) {
        const HWND window = std::exchange(this->*page.window, nullptr);
        if (window != nullptr) pages->DeleteRollupPage(window);
    }
}

void MarlovanUtil::SelectionSetChanged(Interface*, IUtil*) { UpdateSurfaceButton(*this); }
