#include "app/terminal_run_ui.h"

#include <csignal>

#include "app/text.h"
#include "host/interface.h"
#include "host/run_ui.h"

namespace {
// Set before the handler is installed; the handler only stores to a lock-free atomic.
Interface* cancelTarget = nullptr;

extern "C" void CancelOnInterrupt(int) { cancelTarget->SetCancel(TRUE); }

void DrawBar(std::ostream& err, int percent) {
    constexpr int width = 40;
    const int filled = percent * width / 100;
    err << "\rCar Tracing [" << std::string(static_cast<std::size_t>(filled), '#')
        << std::string(static_cast<std::size_t>(width - filled), ' ') << "] " << percent << "%" << std::flush;
}
}  // namespace

TerminalRunUi::TerminalRunUi(std::ostream& err, bool stopAnswer) : err_(err) {
    HostSetUiObserver([this](const HostUiEvent& e) {
        if (e.kind == HostUiEvent::ProgressStart) DrawBar(err_, percent_ = 0);
        if (e.kind == HostUiEvent::ProgressUpdate && e.value != percent_) DrawBar(err_, percent_ = e.value);
        if (e.kind == HostUiEvent::ProgressEnd) err_ << '\n';
    });
    HostSetMessageResponder([this, stopAnswer](const HostUiEvent& e) {
        const std::string text = ToUtf8(e.text.c_str());
        if ((e.type & MB_YESNO) == MB_YESNO) {
            err_ << '\n' << ToUtf8(e.caption.c_str()) << ": " << text << ' ' << (stopAnswer ? "Yes" : "No") << '\n';
            return stopAnswer ? IDYES : IDNO;
        }
        err_ << ToUtf8(e.caption.c_str()) << ": " << text << '\n';
        if (e.caption == L"Error") errors_.push_back(text);
        return IDOK;
    });
    cancelTarget = GetCOREInterface();
    previousHandler_ = std::signal(SIGINT, CancelOnInterrupt);
}

TerminalRunUi::~TerminalRunUi() {
    std::signal(SIGINT, previousHandler_ == SIG_ERR ? SIG_DFL : previousHandler_);
    HostSetMessageResponder(nullptr);
    HostSetUiObserver(nullptr);
}
