// Module-level Win32 services of the stand-in: window classes, string tables, processor count.
#include <dlfcn.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "host/module_resources.h"
#include "host/testing.h"

namespace {

struct Registry {
    std::mutex lock;
    std::map<std::pair<HINSTANCE, std::wstring>, WNDCLASSW> classes;
    std::map<HINSTANCE, std::map<UINT, std::wstring>> strings;
    // Copied, so that the module may go before the host.
    std::map<std::pair<HINSTANCE, int>, std::vector<std::pair<int, std::wstring>>> dialogs;
    std::set<HMODULE> threadCallsOff;
    std::optional<DWORD> processorCount;
    int beeps = 0;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

HINSTANCE HostModuleHandleOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0) return nullptr;
    return static_cast<HINSTANCE>(info.dli_fbase);
}

bool HostRegisterStringTable(HINSTANCE instance, const StringResource* table, int count) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto& strings = r.strings[instance];
    for (int i = 0; i < count; ++i) strings[table[i].id] = table[i].text;
    return true;
}

bool HostRegisterDialogs(HINSTANCE instance, const DialogResource* dialogs, int count) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    for (int i = 0; i < count; ++i) {
        auto& controls = r.dialogs[{instance, dialogs[i].id}];
        controls.clear();
        for (int c = 0; c < dialogs[i].count; ++c)
            controls.emplace_back(dialogs[i].controls[c].id, dialogs[i].controls[c].className);
    }
    return true;
}

std::vector<std::pair<int, std::wstring>> HostDialogControls(HINSTANCE instance, int id) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    const auto it = r.dialogs.find({instance, id});
    return it == r.dialogs.end() ? std::vector<std::pair<int, std::wstring>>{} : it->second;
}

BOOL WINAPI DisableThreadLibraryCalls(HMODULE module) {
    if (module == nullptr) return FALSE;
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    r.threadCallsOff.insert(module);
    return TRUE;
}

ATOM WINAPI RegisterClassW(const WNDCLASSW* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr) return 0;
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto [it, added] = r.classes.emplace(std::make_pair(wc->hInstance, std::wstring(wc->lpszClassName)), *wc);
    if (!added) return 0;
    it->second.lpszClassName = it->first.second.c_str();
    return static_cast<ATOM>(0xC000 + r.classes.size());
}

LRESULT WINAPI DefWindowProcW(HWND, UINT, WPARAM, LPARAM) { return 0; }

int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    buffer[0] = L'\0';
    const auto table = r.strings.find(instance);
    if (table == r.strings.end()) return 0;
    const auto entry = table->second.find(id);
    if (entry == table->second.end()) return 0;
    const std::wstring& text = entry->second;
    const int n = static_cast<int>(std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1)));
    std::copy_n(text.data(), n, buffer);
    buffer[n] = L'\0';
    return n;
}

void WINAPI GetSystemInfo(SYSTEM_INFO* info) {
    if (info == nullptr) return;
    *info = SYSTEM_INFO{};
    info->dwPageSize = 4096;
    info->dwAllocationGranularity = 65536;
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    info->dwNumberOfProcessors = r.processorCount ? *r.processorCount : std::thread::hardware_concurrency();
}

BOOL WINAPI MessageBeep(UINT) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    ++r.beeps;
    return TRUE;
}

int HostBeepCount() {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    return r.beeps;
}

void HostSetProcessorCount(std::optional<DWORD> count) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    r.processorCount = count;
}

const WNDCLASSW* HostFindWindowClass(HINSTANCE instance, LPCWSTR name) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    const auto it = r.classes.find({instance, std::wstring(name)});
    return it == r.classes.end() ? nullptr : &it->second;
}

bool HostThreadCallsDisabled(HMODULE module) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    return r.threadCallsOff.count(module) != 0;
}

void HostResetWin32() {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    r.classes.clear();
    r.threadCallsOff.clear();
    r.beeps = 0;
}
