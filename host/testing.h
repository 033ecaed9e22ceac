// Test support for the host stand-in: inspection of what the plug-in registered, and failure
// and environment injection. Only tests and the headless program call these.
#pragma once

#include <optional>
#include <vector>

#include "host/win32.h"

struct Notification;

// Overrides the processor count that GetSystemInfo reports; nullopt restores the real one.
void HostSetProcessorCount(std::optional<DWORD> count);
// The class registered under this name for this instance, or null.
const WNDCLASSW* HostFindWindowClass(HINSTANCE instance, LPCWSTR name);
// Whether DisableThreadLibraryCalls was called for this module.
bool HostThreadCallsDisabled(HMODULE module);
// Forgets registered window classes and thread-call settings.
void HostResetWin32();

// Scene and references.
// Every NotifyDependents call since the last clear, in order.
const std::vector<Notification>& HostNotifications();
void HostClearNotifications();
