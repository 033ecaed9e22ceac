#include "app/interrupt_exit.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {
// The handler reads only these: a slot's path is complete before the slot is marked held.
constexpr int kSlots = 8;
char heldPaths[kSlots][PATH_MAX];
std::atomic<bool> held[kSlots];
std::atomic<int> deferrals{0};
std::atomic<bool> pending{false};

void Say(const char* text) {
    const ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

extern "C" void ExitNow(int) {
    if (deferrals.load() > 0) {
        pending.store(true);
        return;
    }
    // Temporary files are held only while the outputs wait to be put in place.
    bool any = false;
    for (int i = 0; i < kSlots; ++i)
        if (held[i].load()) {
            unlink(heldPaths[i]);
            any = true;
        }
    Say(any ? "marlovan: interrupted; nothing was written\n" : "marlovan: interrupted\n");
    _exit(130);
}
}  // namespace

void ExitOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = ExitNow;
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

bool HoldForInterrupt(const std::string& path) {
    if (path.size() >= PATH_MAX) return false;
    for (int i = 0; i < kSlots; ++i) {
        if (held[i].load()) continue;
        std::memcpy(heldPaths[i], path.c_str(), path.size() + 1);
        held[i].store(true);
        return true;
    }
    return false;
}

void ReleaseForInterrupt(const std::string& path) {
    for (int i = 0; i < kSlots; ++i)
        if (held[i].load() && path == heldPaths[i]) held[i].store(false);
}

InterruptsDeferred::InterruptsDeferred() { deferrals.fetch_add(1); }

InterruptsDeferred::~InterruptsDeferred() {
    if (deferrals.fetch_sub(1) == 1 && pending.exchange(false)) std::raise(SIGINT);
}
