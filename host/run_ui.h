// What the host shows while a long operation runs: its progress bar, scene-time moves, complete
// redraws and message boxes. The program draws them, tests record them; message boxes are
// answered by a responder.
#pragma once

#include <functional>
#include <string>

#include "host/win32.h"

struct HostUiEvent {
    enum Kind { ProgressStart, ProgressUpdate, ProgressEnd, SceneTime, CompleteRedraw, MessageBox };
    Kind kind = ProgressStart;
    int value = 0;         // percent, or scene time
    std::wstring text;     // progress title, or message
    std::wstring caption;  // message box title
    UINT type = 0;         // message box buttons and icon
    HWND owner = nullptr;
};

// Called on the main thread for each event; an empty observer sees nothing.
void HostSetUiObserver(std::function<void(const HostUiEvent&)> observer);
// Answers message boxes; an empty responder answers the first button (OK or Yes).
void HostSetMessageResponder(std::function<int(const HostUiEvent&)> responder);
void HostReportUi(const HostUiEvent& event);
int HostAnswerMessage(const HostUiEvent& event);
