// Windows of the stand-in: handles, user data, control ids, message dispatch and capture. All on
// the user-interface thread, as on Windows.
#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "host/testing.h"
#include "host/window_table.h"

namespace {

struct WindowTable {
    std::map<HWND, std::unique_ptr<Window>> windows;
    HWND capture = nullptr;
    std::uintptr_t nextHandle = 0x10000;
};

// Never destroyed: roll-ups still open at exit close their windows from other statics.
WindowTable& Table() {
    static auto* table = new WindowTable;
    return *table;
}

void Forget(HWND hwnd) {
    WindowTable& t = Table();
    const auto it = t.windows.find(hwnd);
    if (it == t.windows.end()) return;
    for (HWND child : std::vector<HWND>(it->second->children)) Forget(child);
    t.windows.erase(hwnd);
}

}  // namespace

Window* FindWindowRecord(HWND hwnd) {
    const auto it = Table().windows.find(hwnd);
    return it == Table().windows.end() ? nullptr : it->second.get();
}

HWND HostCreateWindow(WNDPROC proc, LPCWSTR className, int id, HWND parent) {
    WindowTable& t = Table();
    auto window = std::make_unique<Window>();
    window->handle = reinterpret_cast<HWND>(t.nextHandle);
    t.nextHandle += 0x10;
    window->parent = FindWindowRecord(parent) != nullptr ? parent : nullptr;
    window->id = id;
    window->proc = proc != nullptr ? proc : DefWindowProcW;
    window->className = className != nullptr ? className : L"";
    const HWND hwnd = window->handle;
    if (Window* p = FindWindowRecord(window->parent)) p->children.push_back(hwnd);
    t.windows.emplace(hwnd, std::move(window));
    return hwnd;
}

void HostDestroyWindow(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) return;
    for (HWND child : std::vector<HWND>(w->children)) HostDestroyWindow(child);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (Window* p = FindWindowRecord(w->parent)) std::erase(p->children, hwnd);
    Forget(hwnd);
}

void HostResetWindows() {
    WindowTable& t = Table();
    t.capture = nullptr;
    t.windows.clear();
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || index != GWLP_USERDATA) return 0;
    return std::exchange(w->userData, value);
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hwnd, int index) {
    const Window* w = FindWindowRecord(hwnd);
    return w != nullptr && index == GWLP_USERDATA ? w->userData : 0;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    const Window* w = FindWindowRecord(dialog);
    if (w == nullptr) return nullptr;
    for (HWND child : w->children)
        if (FindWindowRecord(child)->id == id) return child;
    return nullptr;
}

BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
    Window* w = FindWindowRecord(GetDlgItem(dialog, id));
    if (w == nullptr) return FALSE;
    w->check = check;
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
    const Window* w = FindWindowRecord(GetDlgItem(dialog, id));
    return w != nullptr ? w->check : BST_UNCHECKED;
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    Window* w = FindWindowRecord(GetDlgItem(dialog, id));
    if (w == nullptr || text == nullptr) return FALSE;
    // The module's texts are plain ASCII.
    w->text.assign(text, text + std::char_traits<char>::length(text));
    return TRUE;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
    const Window* w = FindWindowRecord(hwnd);
    return w != nullptr ? w->id : 0;
}

BOOL WINAPI IsWindow(HWND hwnd) { return FindWindowRecord(hwnd) != nullptr ? TRUE : FALSE; }

LRESULT WINAPI SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) return 0;
    if (w->dialogProc != nullptr) return w->dialogProc(hwnd, msg, wParam, lParam);
    return w->proc(hwnd, msg, wParam, lParam);
}

HWND WINAPI SetCapture(HWND hwnd) {
    if (FindWindowRecord(hwnd) == nullptr) return nullptr;
    const HWND previous = std::exchange(Table().capture, hwnd);
    if (previous != nullptr && previous != hwnd)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return previous;
}

BOOL WINAPI ReleaseCapture() {
    const HWND previous = std::exchange(Table().capture, nullptr);
    if (previous != nullptr) SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture() { return Table().capture; }

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT*, BOOL erase) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) return FALSE;
    ++w->invalidations;
    w->eraseAsked = w->eraseAsked || erase != FALSE;
    return TRUE;
}
