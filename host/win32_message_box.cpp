// Message boxes of the stand-in: shown to the host's responder, which gives the answer.
#include <exception>

#include "host/run_ui.h"

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

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    try {
        return ShowMessage(owner, text, caption, type);
    } catch (const std::exception&) {
        return 0;
    }
}
