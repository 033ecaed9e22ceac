#include "common/module_handle.h"

namespace {
constinit HINSTANCE moduleInstance = nullptr;
}

HINSTANCE ModuleInstance() { return moduleInstance; }

void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }

HINSTANCE ClassDescHInstance() { return moduleInstance; }
