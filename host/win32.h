// The Win32 names the plug-in calls. On Windows this is the real header; elsewhere the
// host stand-in provides the same names and signatures.
#pragma once

#ifdef _WIN32
// std::min and std::max stay usable.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <process.h>
#else

#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

using BOOL = int;
using BYTE = unsigned char;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using ATOM = WORD;
using WCHAR = wchar_t;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPVOID = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using DWORD_PTR = std::uintptr_t;

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
struct HWND__;
using HWND = HWND__*;
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

using WNDPROC = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
};

struct SYSTEM_INFO {
    WORD wProcessorArchitecture;
    WORD wReserved;
    DWORD dwPageSize;
    LPVOID lpMinimumApplicationAddress;
    LPVOID lpMaximumApplicationAddress;
    DWORD_PTR dwActiveProcessorMask;
    DWORD dwNumberOfProcessors;
    DWORD dwProcessorType;
    DWORD dwAllocationGranularity;
    WORD wProcessorLevel;
    WORD wProcessorRevision;
};

// Windows, messages, capture and painting.
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using COLORREF = DWORD;
using LPCSTR = const char*;
struct HDC__;
using HDC = HDC__*;
using HGDIOBJ = void*;
struct HPEN__;
using HPEN = HPEN__*;
using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
    LONG left, top, right, bottom;
};
struct POINT {
    LONG x, y;
};
using LPPOINT = POINT*;
struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr UINT WM_USER = 0x0400;
constexpr WORD BN_CLICKED = 0;
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;
constexpr int PS_SOLID = 0;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) { return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16); }
constexpr int GWLP_USERDATA = -21;
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_PEN = 7;
constexpr int DC_BRUSH = 18;
constexpr int DC_PEN = 19;

LONG_PTR WINAPI SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
LONG_PTR WINAPI GetWindowLongPtrW(HWND hwnd, int index);
HWND WINAPI GetDlgItem(HWND dialog, int id);
BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check);
UINT WINAPI IsDlgButtonChecked(HWND dialog, int id);
BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
int WINAPI GetDlgCtrlID(HWND hwnd);
BOOL WINAPI IsWindow(HWND hwnd);
// Calls the window's procedure at once; 0 for a handle that is not a window.
LRESULT WINAPI SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The window that had the capture gets WM_CAPTURECHANGED, as on Windows.
HWND WINAPI SetCapture(HWND hwnd);
BOOL WINAPI ReleaseCapture();
HWND WINAPI GetCapture();
BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
HDC WINAPI BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HGDIOBJ WINAPI GetStockObject(int which);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
COLORREF WINAPI SetDCPenColor(HDC dc, COLORREF color);
COLORREF WINAPI SetDCBrushColor(HDC dc, COLORREF color);
BOOL WINAPI Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL WINAPI LineTo(HDC dc, int x, int y);
// Pens are kept until the process ends.
HPEN WINAPI CreatePen(int style, int width, COLORREF color);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
int WINAPI SetBkMode(HDC dc, int mode);
BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length);

BOOL WINAPI DisableThreadLibraryCalls(HMODULE module);
ATOM WINAPI RegisterClassW(const WNDCLASSW* wc);
LRESULT WINAPI DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Copies string id of the module's string table, truncated to size - 1 characters and a
// terminating null; returns the characters copied, 0 when there is no such string.
int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size);
void WINAPI GetSystemInfo(SYSTEM_INFO* info);
// Counted, not sounded.
BOOL WINAPI MessageBeep(UINT type);

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
// Shown to the host's responder (host/run_ui.h), which gives the answer.
int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Events and threads.
using HANDLE = void*;
struct SECURITY_ATTRIBUTES {};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;

// The name is ignored: every event is private to its creator. Null when none can be made.
HANDLE WINAPI CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL WINAPI SetEvent(HANDLE event);
BOOL WINAPI ResetEvent(HANDLE event);
// An auto-reset event is reset by the wait that it releases.
DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL WINAPI CloseHandle(HANDLE handle);
// Starts start(arg) on a thread that cannot be joined; (uintptr_t)-1 when it cannot be started.
// The stack size is ignored.
std::uintptr_t _beginthread(void (*start)(void*), unsigned stackSize, void* arg);

#endif
