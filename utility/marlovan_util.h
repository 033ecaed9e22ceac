// The utility panel's run settings and the two presses that use them.
#pragma once

#include <cstdint>

#include "host/interface.h"

class MarlovanUtil {
public:
    std::uint32_t surfaceHandle = 0;  // the picked ground surface; 0 = none
    INode* surfaceNode = nullptr;     // looked up from the handle before each use
    std::int32_t startTime = 0;       // ticks
    std::int32_t endTime = 0;         // ticks
    std::int32_t frameCount = 0;      // of the latest run
    std::int32_t vehicleType = 0;     // of "Set Up": 0 Car, 1 Bus, 2 Truck
    std::int32_t numCopies = 9;       // "Number of Copies", the vehicle copied from included
    std::int32_t copyDirection = 0;   // 0 Right, 1 Left, 2 Down, 3 Up
    HWND motionWindow = nullptr;      // owner of the run's error messages
    Interface* ip = nullptr;          // while the panel is open

    // "Trace": placement, then the run. Ignored while a run is in progress.
    void PressTrace();
    // "Reset": every vehicle back to its rest pose. Ignored while a run is in progress.
    void PressReset();
    bool IsRunning() const { return running_; }

private:
    bool running_ = false;
};
