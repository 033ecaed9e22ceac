// Off Windows there is no resource compiler: the controls of the dialog templates whose roll-ups
// have a dialog procedure are handed to the host when the module loads.
#include <cstddef>

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
constexpr DialogControl kAboutControls[] = {{IDC_ABOUT_TEXT, L"Static"}};
constexpr DialogControl kMotionControls[] = {
    {IDC_MOTION_START_TIME_EDIT, L"CustEdit"}, {IDC_MOTION_START_TIME_SPIN, L"SpinnerControl"},
    {IDC_MOTION_END_TIME_EDIT, L"CustEdit"},   {IDC_MOTION_END_TIME_SPIN, L"SpinnerControl"},
    {IDC_MOTION_SURFACE_BUTTON, L"CustButton"}, {IDC_MOTION_TRACE_BUTTON, L"Button"},
    {IDC_MOTION_RESET_BUTTON, L"Button"},
};
constexpr DialogControl kSetupControls[] = {
    {IDC_SETUP_CAR_RADIO, L"Button"}, {IDC_SETUP_BUS_RADIO, L"Button"}, {IDC_SETUP_TRUCK_RADIO, L"Button"},
    {IDC_SETUP_BUTTON, L"Button"},
};
constexpr DialogControl kCopyControls[] = {
    {IDC_COPY_COUNT_EDIT, L"CustEdit"}, {IDC_COPY_COUNT_SPIN, L"SpinnerControl"},
    {IDC_COPY_RIGHT_RADIO, L"Button"},  {IDC_COPY_LEFT_RADIO, L"Button"},
    {IDC_COPY_DOWN_RADIO, L"Button"},   {IDC_COPY_UP_RADIO, L"Button"},
    {IDC_COPY_BUTTON, L"Button"},
};

template <std::size_t N>
constexpr DialogResource Dialog(int id, const DialogControl (&controls)[N]) {
    return {id, controls, static_cast<int>(N)};
}

constexpr DialogResource kDialogs[] = {
    Dialog(IDD_TRAFFIC_LIGHT_PARAM, kTrafficLightControls), Dialog(IDD_ABOUT, kAboutControls),
    Dialog(IDD_VEHICLES_MOTION, kMotionControls),          Dialog(IDD_VEHICLE_SETUP, kSetupControls),
    Dialog(IDD_VEHICLE_COPY, kCopyControls),
};

[[maybe_unused]] const bool dialogsRegistered =
    HostRegisterDialogs(HostModuleHandleOf(kDialogs), kDialogs, static_cast<int>(sizeof kDialogs / sizeof kDialogs[0]));
}  // namespace
