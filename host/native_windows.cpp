// The host's windows on Windows: real windows of one host class, whose procedure hands every
// message to the procedure the host gave the window. The records keep what the host's own
// controls know of them.
#include <algorithm>
#include <map>
#include <memory>

#include "host/module_resources.h"
#include "host/testing.h"

namespace {

std::map<HWND, std::unique_ptr<Window>>& Records() {
    static auto* records = new std::map<HWND, std::unique_ptr<Window>>;
    return *records;
}

LRESULT CALLBACK Forward(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (w->dialogProc == nullptr) return w->proc(hwnd, msg, wParam, lParam);
    // A dialog procedure that leaves a message to Windows answers FALSE.
    const INT_PTR handled = w->dialogProc(hwnd, msg, wParam, lParam);
    return handled != FALSE ? handled : DefWindowProcW(hwnd, msg, wParam, lParam);
}

HINSTANCE HostInstance() { return HostModuleHandleOf(reinterpret_cast<const void*>(&Forward)); }

constexpr wchar_t kHostClass[] = L"MarlovanHostWindow";

bool HostClassRegistered() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Forward;
        wc.hInstance = HostInstance();
        wc.lpszClassName = kHostClass;
        return RegisterClassW(&wc) != 0;
    }();
    return registered;
}

}  // namespace

Window* FindWindowRecord(HWND hwnd) {
    const auto it = Records().find(hwnd);
    return it == Records().end() ? nullptr : it->second.get();
}

// Null when Windows cannot make the window, as without a display.
HWND HostCreateWindow(WNDPROC proc, LPCWSTR className, int id, HWND parent) {
    if (!HostClassRegistered()) return nullptr;
    const bool child = IsWindow(parent);
    const auto menu = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    const HWND hwnd = CreateWindowExW(0, kHostClass, L"", child ? WS_CHILD : WS_OVERLAPPED, 0, 0, 0, 0,
                                      child ? parent : nullptr, menu, HostInstance(), nullptr);
    if (hwnd == nullptr) return nullptr;
    auto window = std::make_unique<Window>();
    window->handle = hwnd;
    window->parent = child ? parent : nullptr;
    window->id = id;
    window->proc = proc != nullptr ? proc : DefWindowProcW;
    window->className = className != nullptr ? className : L"";
    if (Window* p = FindWindowRecord(window->parent)) p->children.push_back(hwnd);
    Records().emplace(hwnd, std::move(window));
    return hwnd;
}

void HostDestroyWindow(HWND hwnd) {
    if (FindWindowRecord(hwnd) == nullptr) return;
    DestroyWindow(hwnd);
    std::erase_if(Records(), [](const auto& entry) { return !IsWindow(entry.first); });
    for (auto& [handle, window] : Records()) std::erase_if(window->children, [](HWND c) { return !IsWindow(c); });
}

void HostResetWindows() {
    // Forgotten first, so that the messages of their destruction meet no procedure of theirs.
    const auto records = std::move(Records());
    Records().clear();
    for (const auto& [hwnd, window] : records) DestroyWindow(hwnd);
}
