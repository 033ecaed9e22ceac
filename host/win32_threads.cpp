// Win32 events and threads of the stand-in: events are a mutex and a condition variable,
// threads are detached std::threads.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "host/testing.h"

namespace {

struct Event {
    // The creator's handle plus one per call in progress, so that a SetEvent still returning
    // never touches an event that its waiter has already closed.
    std::atomic<int> refs{1};
    std::mutex lock;
    std::condition_variable changed;
    bool manualReset = false;
    bool signalled = false;
};

class EventRef {
public:
    explicit EventRef(HANDLE handle) : event_(static_cast<Event*>(handle)) {
        if (event_ != nullptr) event_->refs.fetch_add(1, std::memory_order_relaxed);
    }
    ~EventRef() { Release(event_); }
    EventRef(const EventRef&) = delete;
    EventRef& operator=(const EventRef&) = delete;

    Event* operator->() const { return event_; }
    explicit operator bool() const { return event_ != nullptr; }

    static void Release(Event* event) {
        if (event != nullptr && event->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete event;
    }

private:
    Event* event_;
};

class FailureInjector {
public:
    void Set(HostFailurePlan plan) {
        std::lock_guard guard(lock_);
        plan_ = plan;
        calls_ = 0;
    }
    bool NextCallFails() {
        std::lock_guard guard(lock_);
        const long call = ++calls_;
        if (call <= plan_.next) return true;
        return plan_.every > 0 && (call - plan_.next) % plan_.every == 0;
    }

private:
    std::mutex lock_;
    HostFailurePlan plan_;
    long calls_ = 0;
};

struct ThreadState {
    FailureInjector eventFailures;
    FailureInjector threadFailures;
    std::atomic<long> eventsCreated{0};
    std::atomic<long> eventsClosed{0};
    std::mutex lock;
    std::condition_variable allReturned;
    long threadsStarted = 0;
    long threadsRunning = 0;
};

// Never destroyed: a detached thread may still be returning while the process exits.
ThreadState& State() {
    static ThreadState* state = new ThreadState;
    return *state;
}

void ThreadReturned() {
    ThreadState& s = State();
    std::lock_guard guard(s.lock);
    if (--s.threadsRunning == 0) s.allReturned.notify_all();
}

}  // namespace

HANDLE WINAPI CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR) {
    ThreadState& s = State();
    if (s.eventFailures.NextCallFails()) return nullptr;
    Event* event = new (std::nothrow) Event;
    if (event == nullptr) return nullptr;
    event->manualReset = manualReset != FALSE;
    event->signalled = initialState != FALSE;
    s.eventsCreated.fetch_add(1, std::memory_order_relaxed);
    return event;
}

BOOL WINAPI SetEvent(HANDLE handle) {
    EventRef event(handle);
    if (!event) return FALSE;
    std::lock_guard guard(event->lock);
    event->signalled = true;
    if (event->manualReset) {
        event->changed.notify_all();
    } else {
        event->changed.notify_one();
    }
    return TRUE;
}

BOOL WINAPI ResetEvent(HANDLE handle) {
    EventRef event(handle);
    if (!event) return FALSE;
    std::lock_guard guard(event->lock);
    event->signalled = false;
    return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    EventRef event(handle);
    if (!event) return WAIT_FAILED;
    std::unique_lock guard(event->lock);
    const auto isSet = [&] { return event->signalled; };
    if (milliseconds == INFINITE) {
        event->changed.wait(guard, isSet);
    } else if (!event->changed.wait_for(guard, std::chrono::milliseconds(milliseconds), isSet)) {
        return WAIT_TIMEOUT;
    }
    if (!event->manualReset) event->signalled = false;
    return WAIT_OBJECT_0;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
    if (handle == nullptr) return FALSE;
    State().eventsClosed.fetch_add(1, std::memory_order_relaxed);
    EventRef::Release(static_cast<Event*>(handle));
    return TRUE;
}

std::uintptr_t _beginthread(void (*start)(void*), unsigned, void* arg) {
    constexpr auto failed = static_cast<std::uintptr_t>(-1);
    ThreadState& s = State();
    if (start == nullptr || s.threadFailures.NextCallFails()) return failed;
    std::uintptr_t id = 0;
    {
        std::lock_guard guard(s.lock);
        ++s.threadsRunning;
        id = static_cast<std::uintptr_t>(++s.threadsStarted);
    }
    try {
        std::thread([start, arg] {
            start(arg);
            ThreadReturned();
        }).detach();
    } catch (...) {
        ThreadReturned();
        return failed;
    }
    return id;
}

void HostSetEventFailures(HostFailurePlan plan) { State().eventFailures.Set(plan); }

void HostSetThreadStartFailures(HostFailurePlan plan) { State().threadFailures.Set(plan); }

HostThreadCounts HostThreadAndEventCounts() {
    ThreadState& s = State();
    HostThreadCounts counts;
    counts.eventsCreated = s.eventsCreated.load(std::memory_order_relaxed);
    counts.eventsClosed = s.eventsClosed.load(std::memory_order_relaxed);
    std::lock_guard guard(s.lock);
    counts.threadsStarted = s.threadsStarted;
    counts.threadsRunning = s.threadsRunning;
    return counts;
}

void HostResetThreadsAndEvents() {
    ThreadState& s = State();
    s.eventFailures.Set({});
    s.threadFailures.Set({});
    s.eventsCreated.store(0, std::memory_order_relaxed);
    s.eventsClosed.store(0, std::memory_order_relaxed);
    std::lock_guard guard(s.lock);
    s.threadsStarted = 0;
}

bool HostWaitForThreads(std::chrono::milliseconds timeout) {
    ThreadState& s = State();
    std::unique_lock guard(s.lock);
    return s.allReturned.wait_for(guard, timeout, [&] { return s.threadsRunning == 0; });
}
