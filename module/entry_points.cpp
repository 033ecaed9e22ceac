#include "module/entry_points.h"

#include "module/class_registry.h"
#include "common/module_handle.h"
#include "module/strings.h"
#include "resources/resource.h"
#include "traffic/traffic_light_view.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    SetModuleInstance(instance);
    DisableThreadLibraryCalls(instance);
    // Without the class the traffic light's roll-up simply has no diagram.
    RegisterTrafficLightView(instance);
    return TRUE;
}

const wchar_t* LibDescription() { return GetString(IDS_LIB_DESCRIPTION); }

int LibNumberClasses() { return kRegisteredClassCount; }

ClassDesc* LibClassDesc(unsigned int i) { return RegisteredClass(i); }

DWORD LibVersion() { return kSdkVersion; }
