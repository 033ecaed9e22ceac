// The traffic light: a rectangle helper across a lane that holds traffic while its signal is
// red. The signal follows a repeating 24-slot cycle (the "Diagram") or an animated input, and
// the object draws a post with one lamp in the signal's colour.
#pragma once

#include "traffic/rect_helper.h"

class ClassDesc;

inline constexpr Class_ID kTrafficLightClassID{0x798B11A2, 0x7EF641E3};

// Parameters after the two half sizes.
constexpr ParamID kInputTypeParam = 2;  // 0 the diagram, 1 the animated input
constexpr ParamID kPeriodParam = 3;     // ticks
constexpr ParamID kDiagramParam = 4;    // 24 entries, 1 green, 0 red
constexpr ParamID kUserInputParam = 5;  // green above 50

class TrafficLightObject : public RectHelperObject {
public:
    TrafficLightObject();
    ~TrafficLightObject() override;

    bool IsGreen(TimeValue t) const;
    // Also repaints the diagram of an open roll-up.
    void UpdateCache() override;
    void DrawLight(GraphicsWindow* gw, TimeValue t) const;

    void BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) override;
    void EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) override;

protected:
    void DrawShape(GraphicsWindow* gw, TimeValue t) const override { DrawLight(gw, t); }
    float StandingHeight() const override { return 2.3f * cachedWidth; }

private:
    void DrawLamp(GraphicsWindow* gw, TimeValue t) const;
};

ClassDesc* GetTrafficLightDesc();
// Binds the roll-up's spinners and radio buttons on the block's descriptor.
void BindTrafficLightParamUI(ParamBlockDesc2* desc);
