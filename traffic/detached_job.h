// Work that runs on a thread of its own and signals its end, or on the caller's thread when no
// thread or event can be had.
#pragma once

#include "host/win32.h"

// A one-shot completion signal: an auto-reset event that starts unsignalled, closed with its owner.
class CompletionSignal {
public:
    CompletionSignal() = default;
    ~CompletionSignal() { Close(); }
    CompletionSignal(const CompletionSignal&) = delete;
    CompletionSignal& operator=(const CompletionSignal&) = delete;

    bool Open();
    void Raise() const;
    // No time-out: only a job known to be running on a thread of its own is waited for.
    void Wait() const;
    void Close();

private:
    HANDLE event_ = nullptr;
};

// Starts job(arg) on a detached thread, which must raise `done` as its very last use of arg.
// False, with `done` closed again, when no event or no thread can be made: the caller then
// runs the job itself.
bool StartDetachedJob(CompletionSignal& done, void (*job)(void*), void* arg);
