#include "app/terminal_run_ui.h"

#include <csignal>

#include "app/text.h"
#include "host/interface.h"
#include "host/run_ui.h"

namespace {
// Set before the handler is installed; the handler only stores to a lock-free atomic.
Interface* cancelTarget = nullptr;

extern "C" void CancelOnInterrupt(int) { cancelTarget->SetCancel(TRUE); }

void DrawBar(std::ostream& err, int percent, bool terminal) {
    constexpr int width = 40;
    const int filled = percent * width / 100;
    err << (terminal ? "\r" : "") << "Car Tracing [" << std::string(static_cast<std::size_t>(filled), '#')
        << std::string(static_cast<std::size_t>(width - filled), ' ') << "] " << percent << "%"
        << (terminal ? "" : "\n") << std::flush;
}

// A log gets a line when the bar enters a new quarter, so five lines for a whole run.
bool Shown(int before, int now, bool terminal) {
    return now != before && (terminal || before < 0 || now / 25 != before / 25);
}
}  // namespace

TerminalRunUi::TerminalRunUi(std::ostream& err, bool stopAnswer, bool terminal) : err_(err) {
    HostSetUiObserver([this, terminal](const HostUiEvent& e) {
        if (e.kind == HostUiEvent::ProgressStart) DrawBar(err_, percent_ = 0, terminal);
        if (e.kind == HostUiEvent::ProgressUpdate && Shown(percent_, e.value, terminal))
            DrawBar(err_, percent_ = e.value, terminal);
        if (e.kind == HostUiEvent::ProgressEnd && terminal) err_ << '\n';
    });
    HostSetMessageResponder([this, stopAnswer, terminal](const HostUiEvent& e) {
        const std::string text = ToUtf8(e.text.c_str());
        if ((e.type & MB_YESNO) == MB_YESNO) {
            // On a terminal the question starts below the bar, which has no line end yet.
            err_ << (terminal ? "\n" : "") << ToUtf8(e.caption.c_str()) << ": " << text << ' '
                 << (stopAnswer ? "Yes" : "No") << '\n';
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
