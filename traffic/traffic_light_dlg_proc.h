// The traffic light roll-up's dialog procedure: binds the diagram window to the light being
// edited and enables the spinner that the input type uses.
#pragma once

#include "host/param_map.h"
#include "traffic/traffic_light_view.h"

class TrafficLightObject;

class TrafficLightDlgProc : public ParamMap2UserDlgProc {
public:
    INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Binds the light whose roll-up opens next; null unbinds and lets go of the diagram window.
    void SetObject(TrafficLightObject* object);
    TrafficLightObject* Object() const { return object_; }
    HWND View() const { return state_.view; }
    // "Period" while the diagram drives the light, "User_Input" while the input does.
    void EnableInputSpinners();

private:
    TrafficLightObject* object_ = nullptr;
    TrafficLightViewState state_;
};

// The one procedure of the class.
TrafficLightDlgProc& TheTrafficLightDlgProc();
void EnableSpinner(HWND dialog, int id, BOOL enable);
