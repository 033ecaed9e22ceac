// The utility panel: the settings of a run and of the vehicle tools, kept for as long as the
// module is loaded, and its four roll-ups while it is open.
#pragma once

#include <cstdint>

#include "host/interface.h"
#include "host/utility_obj.h"

class ClassDesc;
class ICustButton;

class MarlovanUtil : public UtilityObj {
public:
    MarlovanUtil();

    std::uint32_t surfaceHandle = 0;       // the picked ground surface; 0 = none
    INode* surfaceNode = nullptr;          // looked up from the handle before each use
    ICustButton* surfaceButton = nullptr;  // while the motion roll-up is open
    std::int32_t startTime = 0;            // ticks
    std::int32_t endTime = 0;              // ticks; 100 frames when made
    std::int32_t frameCount = 0;           // of the latest run
    std::int32_t vehicleType = 0;          // for "Set Up": 0 Car, 1 Bus, 2 Truck
    std::int32_t numCopies = 9;            // "Number of Copies", the vehicle copied from included
    std::int32_t copyDirection = 0;        // 0 Right, 1 Left, 2 Down, 3 Up
    IUtil* iu = nullptr;                   // while the panel is open
    Interface* ip = nullptr;               // while the panel is open
    // The roll-ups while the panel is open; the motion one owns the run's error messages.
    HWND motionWindow = nullptr;
    HWND setupWindow = nullptr;
    HWND copyWindow = nullptr;
    HWND aboutWindow = nullptr;

    void BeginEditParams(Interface* ip, IUtil* iu) override;
    // Removes the pages through the interface it is given: the stored one is cleared first.
    void EndEditParams(Interface* ip, IUtil* iu) override;
    void SelectionSetChanged(Interface* ip, IUtil* iu) override;
    // The one panel lives as long as the module.
    void DeleteThis() override {}

    // "Trace": placement, then the run. Ignored while a run is in progress.
    void PressTrace();
    // "Reset": every vehicle back to its rest pose. Ignored while a run is in progress.
    void PressReset();
    // "Surface": the pick mode for the ground surface. Ignored while a run is in progress.
    void PressSurface();
    // "Set Up" and "Do Copy": the vehicle tools. Ignored while a run is in progress.
    void PressSetUp();
    void PressCopy();
    bool IsRunning() const { return running_; }

private:
    bool running_ = false;
};

// The module's one panel.
MarlovanUtil& ThePanel();
ClassDesc* GetMarlovanUtilDesc();
