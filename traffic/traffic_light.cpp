#include "traffic/traffic_light.h"

#include <new>

#include "host/interface.h"
#include "resources/resource.h"
#include "traffic/diagram_slot.h"
#include "common/helper_create.h"
#include "common/helper_desc.h"
#include "traffic/rect_helper_params.h"
#include "traffic/traffic_light_dlg_proc.h"

namespace {

class TrafficLightClassDesc final : public HelperClassDesc {
public:
    TrafficLightClassDesc() : HelperClassDesc(L"TrafficLight", kTrafficLightClassID) {}
    void* Create(BOOL) override { return static_cast<Object*>(new (std::nothrow) TrafficLightObject); }
};

using TrafficLightCreateCallBack = HelperCreateCallBack;

constexpr double kMaxPeriod = 100000000.0;

// Defined in this order: the block names the descriptor as its owner.
TrafficLightClassDesc trafficLightDesc;
ParamBlockDesc2 trafficLightBlock(
    0, L"parameters", 0, &trafficLightDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, IDD_TRAFFIC_LIGHT_PARAM, IDS_PARAMETERS,
    {
        SizeParamDef(kHalfWidthParam),
        SizeParamDef(kHalfLengthParam),
        ParamDef(kInputTypeParam, L"Input_Type", TYPE_INT, 0, 0).Default(0).Range(0, 1),
        ParamDef(kPeriodParam, L"Period", TYPE_TIMEVALUE, 0, 0).Default(48000).Range(0, kMaxPeriod),
        ParamDef(kDiagramParam, L"Diagram", TYPE_INT, 0, 0).Table(kDiagramSlots).Default(1).Range(0, 1),
        ParamDef(kUserInputParam, L"User_Input", TYPE_FLOAT, P_ANIMATABLE, 0).Default(100.0).Range(0, 100),
    });
TrafficLightCreateCallBack trafficLightCreate;

constinit const HelperClass trafficLightClass{&trafficLightDesc, &trafficLightBlock, &BindTrafficLightParamUI,
                                                  &trafficLightCreate};

// The interface of the roll-up being edited; set by begin edit, cleared by end edit and by
// every new light.
IObjParam* editInterface = nullptr;

}  // namespace

// Every new light, a clone too, lets go of the roll-up interface until its own edit begins.
TrafficLightObject::TrafficLightObject() : RectHelperObject(trafficLightClass) { editInterface = nullptr; }

TrafficLightObject::~TrafficLightObject() {
    // A light deleted under its open roll-up must not stay bound to it.
    TrafficLightDlgProc& proc = TheTrafficLightDlgProc();
    if (proc.Object() == this) proc.SetObject(nullptr);
}

bool TrafficLightObject::IsGreen(TimeValue t) const {
    if (pblock == nullptr) return false;
    if (pblock->GetInt(kInputTypeParam, 0) != 0) return pblock->GetFloat(kUserInputParam, t) > 50.0f;
    const int slot = DiagramSlot(t, pblock->GetInt(kPeriodParam, 0));
    return pblock->GetInt(kDiagramParam, 0, slot) != 0;
}

void TrafficLightObject::UpdateCache() {
    RectHelperObject::UpdateCache();
    if (editInterface == nullptr) return;
    const HWND view = TheTrafficLightDlgProc().View();
    if (IsWindow(view)) InvalidateRect(view, nullptr, TRUE);
}

void TrafficLightObject::BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) {
    editInterface = ip;
    // Bound before the roll-up opens, so that its first message finds this light.
    TrafficLightDlgProc& proc = TheTrafficLightDlgProc();
    proc.SetObject(this);
    trafficLightBlock.SetUserDlgProc(&proc);
    RectHelperObject::BeginEditParams(ip, flags, prev);
}

void TrafficLightObject::EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) {
    RectHelperObject::EndEditParams(ip, flags, next);
    trafficLightBlock.SetUserDlgProc(nullptr);
    TheTrafficLightDlgProc().SetObject(nullptr);
    editInterface = nullptr;
}

ClassDesc* GetTrafficLightDesc() { return &trafficLightDesc; }

void BindTrafficLightParamUI(ParamBlockDesc2* desc) {
    if (desc == nullptr) return;
    BindSpinner(desc, kHalfWidthParam, EDITTYPE_UNIVERSE, IDC_TRAFFIC_LIGHT_WIDTH_EDIT, IDC_TRAFFIC_LIGHT_WIDTH_SPIN);
    BindSpinner(desc, kHalfLengthParam, EDITTYPE_UNIVERSE, IDC_TRAFFIC_LIGHT_LENGTH_EDIT,
                IDC_TRAFFIC_LIGHT_LENGTH_SPIN);
    desc->ParamOption(kInputTypeParam, p_ui, TYPE_RADIO, 2, IDC_TRAFFIC_LIGHT_DIAGRAM_RADIO,
                      IDC_TRAFFIC_LIGHT_ANIMATED_RADIO);
    BindSpinner(desc, kPeriodParam, EDITTYPE_TIME, IDC_TRAFFIC_LIGHT_PERIOD_EDIT, IDC_TRAFFIC_LIGHT_PERIOD_SPIN);
    desc->ParamOption(kUserInputParam, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_TRAFFIC_LIGHT_INPUT_EDIT,
                      IDC_TRAFFIC_LIGHT_INPUT_SPIN, 1.0f);
}
