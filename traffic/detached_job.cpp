#include "traffic/detached_job.h"

#include <cstdint>

bool CompletionSignal::Open() {
    Close();
    event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return event_ != nullptr;
}

void CompletionSignal::Raise() const { SetEvent(event_); }

// A wait on an event that we opened and have not closed cannot fail, so its result is not read.
void CompletionSignal::Wait() const { WaitForSingleObject(event_, INFINITE); }

void CompletionSignal::Close() {
    if (event_ != nullptr) CloseHandle(event_);
    event_ = nullptr;
}

bool StartDetachedJob(CompletionSignal& done, void (*job)(void*), void* arg) {
    if (!done.Open()) return false;
    if (_beginthread(job, 0, arg) != static_cast<std::uintptr_t>(-1)) return true;
    done.Close();
    return false;
}
