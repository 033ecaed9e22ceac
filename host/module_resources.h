// How a module's resources reach the stand-in: a module registers its string table at load,
// keyed by its instance handle (its load address, as on Windows).
#pragma once

#include "host/win32.h"

struct StringResource {
    UINT id;
    const wchar_t* text;
};

// The instance handle of the module that contains the given address.
HINSTANCE HostModuleHandleOf(const void* address);
// Makes LoadStringW of this instance answer from the table; returns true.
bool HostRegisterStringTable(HINSTANCE instance, const StringResource* table, int count);
