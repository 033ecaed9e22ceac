// The plug-in module loaded as the host loads it: by file, its entry points found by name.
#pragma once

#include <string>

#include "host/win32.h"

class ClassDesc;
struct MarlovanRunReport;

class ModuleLibrary {
public:
    // Loads the module and runs its entry routine for process attach; throws std::runtime_error.
    explicit ModuleLibrary(const std::string& path);
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;
    ~ModuleLibrary();

    const wchar_t* Description() const { return description_(); }
    DWORD Version() const { return version_(); }
    int NumberClasses() const { return numberClasses_(); }
    ClassDesc* Class(unsigned int i) const { return classDesc_(i); }
    // Sizes of the scene's road segments and lane network; false when they could not be built.
    bool LaneNetworkSize(int& segments, int& ways) const { return laneNetworkSize_(&segments, &ways) != FALSE; }

    // The panel's latest run: its frame count, the scene's vehicles and their recorded keys.
    void RunSummary(MarlovanRunReport& report) const { runSummary_(&report); }

private:
    void* Symbol(const char* name) const;

    void* handle_ = nullptr;
    const wchar_t* (*description_)() = nullptr;
    DWORD (*version_)() = nullptr;
    int (*numberClasses_)() = nullptr;
    ClassDesc* (*classDesc_)(unsigned int) = nullptr;
    BOOL (*laneNetworkSize_)(int*, int*) = nullptr;
    void (*runSummary_)(MarlovanRunReport*) = nullptr;
};
