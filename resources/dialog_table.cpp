// Off Windows there is no resource compiler: the controls of the dialog templates whose roll-ups
// have a dialog procedure are handed to the host when the module loads.
#include "host/module_resources.h"
#include "resources/resource.h"

namespace {
constexpr DialogControl kTrafficLightControls[] = {
    {IDC_TRAFFIC_LIGHT_LENGTH_EDIT, L"CustEdit"},  {IDC_TRAFFIC_LIGHT_LENGTH_SPIN, L"SpinnerControl"},
    {IDC_TRAFFIC_LIGHT_WIDTH_EDIT, L"CustEdit"},   {IDC_TRAFFIC_LIGHT_WIDTH_SPIN, L"SpinnerControl"},
    {IDC_TRAFFIC_LIGHT_DIAGRAM_RADIO, L"Button"},  {IDC_TRAFFIC_LIGHT_ANIMATED_RADIO, L"Button"},
    {IDC_TRAFFIC_LIGHT_PERIOD_EDIT, L"CustEdit"},  {IDC_TRAFFIC_LIGHT_PERIOD_SPIN, L"SpinnerControl"},
    {IDC_TRAFFIC_LIGHT_VIEW, L"TrafficLightView"}, {IDC_TRAFFIC_LIGHT_INPUT_EDIT, L"CustEdit"},
    {IDC_TRAFFIC_LIGHT_INPUT_SPIN, L"SpinnerControl"},
};
constexpr DialogResource kDialogs[] = {
    {IDD_TRAFFIC_LIGHT_PARAM, kTrafficLightControls,
     static_cast<int>(sizeof kTrafficLightControls / sizeof kTrafficLightControls[0])},
};

[[maybe_unused]] const bool registered =
    HostRegisterDialogs(HostModuleHandleOf(kDialogs), kDialogs, static_cast<int>(sizeof kDialogs / sizeof kDialogs[0]));
}  // namespace
