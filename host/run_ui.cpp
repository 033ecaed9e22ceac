#include "host/run_ui.h"

#include <exception>
#include <utility>

namespace {
struct UiHooks {
    std::function<void(const HostUiEvent&)> observer;
    std::function<int(const HostUiEvent&)> responder;
};
UiHooks& Hooks() {
    static UiHooks hooks;
    return hooks;
}
}  // namespace

void HostSetUiObserver(std::function<void(const HostUiEvent&)> observer) { Hooks().observer = std::move(observer); }
void HostSetMessageResponder(std::function<int(const HostUiEvent&)> responder) { Hooks().responder = std::move(responder); }

void HostReportUi(const HostUiEvent& event) {
    if (Hooks().observer) Hooks().observer(event);
}

namespace {
// A box that cannot be shown answers 0, as on Windows.
int ShowMessage(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    HostUiEvent event;
    event.kind = HostUiEvent::MessageBox;
    event.text = text != nullptr ? text : L"";
    event.caption = caption != nullptr ? caption : L"";
    event.type = type;
    event.owner = owner;
    return HostAnswerMessage(event);
}
}  // namespace

int HostAnswerMessage(const HostUiEvent& event) {
    HostReportUi(event);
    if (Hooks().responder) return Hooks().responder(event);
    return (event.type & 0xF) == MB_YESNO ? IDYES : IDOK;
}

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    try {
        return ShowMessage(owner, text, caption, type);
    } catch (const std::exception&) {
        return 0;
    }
}
