// How a module's resources reach the stand-in: a module registers its string table at load,
// keyed by its instance handle (its load address, as on Windows). On Windows the host reads
// them from the module itself, and registers and joins nothing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/win32.h"

struct StringResource {
    UINT id;
    const wchar_t* text;
};

// One control of a dialog template: its id and window class.
struct DialogControl {
    int id;
    const wchar_t* className;
};
struct DialogResource {
    int id;
    const DialogControl* controls;
    int count;
};

// The instance handle of the module that contains the given address.
HINSTANCE HostModuleHandleOf(const void* address);
// Makes LoadStringW of this instance answer from the table; returns true.
bool HostRegisterStringTable(HINSTANCE instance, const StringResource* table, int count);
// Makes roll-ups of this instance's dialog templates get these controls; returns true.
bool HostRegisterDialogs(HINSTANCE instance, const DialogResource* dialogs, int count);
// The controls (id, class) of the template registered for this instance and id; none when
// there is no such template.
std::vector<std::pair<int, std::wstring>> HostDialogControls(HINSTANCE instance, int id);

// Joins every thread that _beginthread started, waiting for those still running; the host
// calls it before it unloads a module and when it exits.
void HostJoinThreads();
