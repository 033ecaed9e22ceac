// The module's instance handle: null until the entry routine has run for process attach.
#pragma once

#include "host/win32.h"

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
// The instance handle every class descriptor reports.
HINSTANCE ClassDescHInstance();
