#include "module/strings.h"

#include "common/module_handle.h"

const wchar_t* GetString(UINT id) {
    static wchar_t buffer[256];
    const HINSTANCE instance = ModuleInstance();
    if (instance == nullptr) return nullptr;
    return LoadStringW(instance, id, buffer, 256) > 0 ? buffer : nullptr;
}
