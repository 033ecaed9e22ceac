#include "app/terminal_run_ui.h"

#include <atomic>
#include <chrono>
#include <csignal>

#include "app/text.h"
#include "host/interface.h"
#include "host/run_ui.h"

namespace {
// Set before the handler is installed; the handler only touches lock-free atomics. The
// interrupts are counted from when the handler is installed until it is taken down.
Interface* cancelTarget = nullptr;
std::atomic<long long (*)()> interruptClock{SteadyMs};
std::atomic<int> interrupts{0};
std::atomic<long long> lastInterruptMs{0};
std::atomic<bool> insisted{false};

constexpr long long kInsistMs = 2000;

extern "C" void CancelOnInterrupt(int) {
    const long long now = interruptClock.load()();
    const long long before = lastInterruptMs.exchange(now);
    if (interrupts.fetch_add(1) > 0 && now - before < kInsistMs) insisted.store(true);
    cancelTarget->SetCancel(TRUE);
}

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

long long SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

TerminalRunUi::TerminalRunUi(std::ostream& err, bool stopAnswer, bool terminal, long long (*clockMs)()) : err_(err) {
    HostSetUiObserver([this, terminal](const HostUiEvent& e) {
        if (e.kind == HostUiEvent::ProgressStart) {
            // Opening the bar clears its cancel; a Ctrl-C pressed before it still counts.
            if (interrupts.load() > 0) cancelTarget->SetCancel(TRUE);
            DrawBar(err_, percent_ = 0, terminal);
        }
        if (e.kind == HostUiEvent::ProgressUpdate) ++updates_;
        if (e.kind == HostUiEvent::ProgressUpdate && Shown(percent_, e.value, terminal))
            DrawBar(err_, percent_ = e.value, terminal);
        if (e.kind == HostUiEvent::ProgressEnd && terminal) err_ << '\n';
    });
    HostSetMessageResponder([this, stopAnswer, terminal](const HostUiEvent& e) {
        const std::string text = ToUtf8(e.text.c_str());
        if ((e.type & MB_YESNO) == MB_YESNO) {
            const bool yes = stopAnswer || insisted.load();
            // On a terminal the question starts below the bar, which has no line end yet.
            err_ << (terminal ? "\n" : "") << ToUtf8(e.caption.c_str()) << ": " << text << ' ' << (yes ? "Yes" : "No")
                 << '\n';
            return yes ? IDYES : IDNO;
        }
        err_ << ToUtf8(e.caption.c_str()) << ": " << text << '\n';
        if (e.caption == L"Error") errors_.push_back(text);
        return IDOK;
    });
    cancelTarget = GetCOREInterface();
    interruptClock.store(clockMs);
    previousHandler_ = std::signal(SIGINT, CancelOnInterrupt);
}

TerminalRunUi::~TerminalRunUi() {
    std::signal(SIGINT, previousHandler_ == SIG_ERR ? SIG_DFL : previousHandler_);
    interrupts.store(0);
    insisted.store(false);
    HostSetMessageResponder(nullptr);
    HostSetUiObserver(nullptr);
}
