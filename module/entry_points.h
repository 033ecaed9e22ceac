// What the host calls in the module.
#pragma once

#include "host/win32.h"
#include "common/export.h"

class ClassDesc;

constexpr DWORD kSdkVersion = 0x3E802A00;

MARLOVAN_EXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
MARLOVAN_EXPORT const wchar_t* LibDescription();
MARLOVAN_EXPORT int LibNumberClasses();
MARLOVAN_EXPORT ClassDesc* LibClassDesc(unsigned int i);
MARLOVAN_EXPORT DWORD LibVersion();
