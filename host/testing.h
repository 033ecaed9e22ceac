// Test support for the host stand-in: inspection of what the plug-in registered, and failure
// and environment injection. Only tests and the headless program call these. The Windows build,
// whose Win32 is the system's, has only the window classes, the windows and the notifications.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "host/win32.h"
#include "host/window_table.h"

class ClassDesc;
struct Notification;
class INode;
struct IPoint2;

// Overrides the processor count that GetSystemInfo reports; nullopt restores the real one.
void HostSetProcessorCount(std::optional<DWORD> count);
// The class registered under this name for this instance, or null.
const WNDCLASSW* HostFindWindowClass(HINSTANCE instance, LPCWSTR name);
// Whether DisableThreadLibraryCalls was called for this module.
bool HostThreadCallsDisabled(HMODULE module);
// Forgets registered window classes and thread-call settings, and zeroes the beep count.
void HostResetWin32();
// MessageBeep calls since the last reset.
int HostBeepCount();

// Windows. A window of a class the host does not know gets the default procedure.
HWND HostCreateWindow(WNDPROC proc, LPCWSTR className, int id, HWND parent);
// Destroys the window and its children; a window holding the capture loses it first.
void HostDestroyWindow(HWND hwnd);
// Forgets every window and the capture.
void HostResetWindows();

struct HostWindowState {
    bool exists = false;
    std::wstring className;
    bool enabled = false;
    int invalidations = 0;  // since the last BeginPaint
    bool eraseAsked = false;
    std::vector<PaintOp> paintOps;  // of the latest BeginPaint
    std::wstring text;
    UINT check = BST_UNCHECKED;
    int buttonType = CBT_PUSH;
    COLORREF highlight = 0;
    SpinnerState spinner;
};
HostWindowState HostWindowStateOf(HWND hwnd);

// What a user does with a dialog's controls; each sends the dialog what Windows and the host send.
// A click on a button: BN_CLICKED; a custom check button changes its state first.
void HostClickButton(HWND dialog, int id);
// Dragging a spinner to value (clamped to its limits): button down, then a change.
void HostDragSpinner(HWND spinner, double value);
// Letting go of a spinner's button.
void HostReleaseSpinner(HWND spinner);
// Typing a number into a spinner's edit field and pressing Enter: frames for a time field,
// clamped to the spinner's limits.
void HostTypeInEdit(HWND edit, double shown);

// Pick mode: a left click at a viewport pixel, a click that only this node receives, a right
// click. Each does nothing outside pick mode; the first two are true when something was picked.
bool HostPickClick(IPoint2 pixel);
bool HostPickClickOn(INode* node);
void HostPickRightClick();

// Events and threads.
// Which calls of CreateEventW or _beginthread fail, counted from when the plan is set: the next
// `next` calls, and after those every `every`-th call (1: all of them, 0: none).
struct HostFailurePlan {
    int next = 0;
    int every = 0;
};
void HostSetEventFailures(HostFailurePlan plan);
void HostSetThreadStartFailures(HostFailurePlan plan);
struct HostThreadCounts {
    long eventsCreated = 0;
    long eventsClosed = 0;
    long threadsStarted = 0;
    long threadsRunning = 0;
    long threadsKept = 0;  // started and not yet joined
};
HostThreadCounts HostThreadAndEventCounts();
// Clears both failure plans and the created, closed and started counts; running threads stay.
void HostResetThreadsAndEvents();
// Blocks until every thread that _beginthread started has returned; false if the time-out
// passes first, so that a test fails rather than hangs.
bool HostWaitForThreads(std::chrono::milliseconds timeout = std::chrono::seconds(60));

// Scene and references.
// The classes that the core interface's instance creation knows: those of the loaded module.
void HostSetClasses(const std::vector<ClassDesc*>& classes);
// Every NotifyDependents call since the last clear, in order.
const std::vector<Notification>& HostNotifications();
void HostClearNotifications();
