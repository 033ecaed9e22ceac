// Marks the functions the host finds in the module by name.
#pragma once

#ifdef _WIN32
#define MARLOVAN_EXPORT extern "C" __declspec(dllexport)
#else
#define MARLOVAN_EXPORT extern "C" __attribute__((visibility("default")))
#endif
