#include "host/run_ui.h"

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

int HostAnswerMessage(const HostUiEvent& event) {
    HostReportUi(event);
    if (Hooks().responder) return Hooks().responder(event);
    return (event.type & 0xF) == MB_YESNO ? IDYES : IDOK;
}
