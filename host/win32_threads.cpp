// Win32 events and threads of the stand-in: events are a mutex and a condition variable,
// threads are std::threads that the host keeps and joins.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "host/module_resources.h"
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
    // Started and not yet joined; a returned thread is joined at the next start, so that
    // finished threads never pile up over a long run.
    std::vector<std::thread> kept;
    // Ids of kept threads that have returned; its capacity is reserved at each start, so that
    // a returning thread never allocates.
    std::vector<std::thread::id> returned;
};

// Never destroyed: the exit joiner below still needs it while statics are destroyed.
ThreadState& State() {
    static ThreadState* state = new ThreadState;
    return *state;
}

void ThreadReturned() {
    ThreadState& s = State();
    std::lock_guard guard(s.lock);
    s.returned.push_back(std::this_thread::get_id());
    if (--s.threadsRunning == 0) s.allReturned.notify_all();
}

// Joins the kept threads that have returned. The caller holds the lock; a returned thread
// only has to leave its procedure, which takes no lock.
void JoinReturned(ThreadState& s) {
    for (std::thread::id id : s.returned) {
        const auto it = std::find_if(s.kept.begin(), s.kept.end(), [id](const std::thread& t) { return t.get_id() == id; });
        if (it == s.kept.end()) continue;
        it->join();
        s.kept.erase(it);
    }
    s.returned.clear();
}

// The host joins every thread before it exits.
struct JoinAtExit {
    ~JoinAtExit() { HostJoinThreads(); }
} joinAtExit;

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
    // The thread's return waits for this lock, so it is kept before it can be reported.
    std::lock_guard guard(s.lock);
    JoinReturned(s);
    try {
        s.kept.reserve(s.kept.size() + 1);
        s.returned.reserve(s.kept.size() + 1);
        s.kept.emplace_back([start, arg] {
            start(arg);
            ThreadReturned();
        });
    } catch (...) {
        return failed;
    }
    ++s.threadsRunning;
    return static_cast<std::uintptr_t>(++s.threadsStarted);
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
    counts.threadsKept = static_cast<long>(s.kept.size());
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

void HostJoinThreads() {
    ThreadState& s = State();
    // Threads may start threads of their own while they are joined.
    for (;;) {
        std::vector<std::thread> batch;
        {
            std::lock_guard guard(s.lock);
            batch.swap(s.kept);
        }
        if (batch.empty()) return;
        std::vector<std::thread::id> ids;
        for (std::thread& t : batch) {
            ids.push_back(t.get_id());
            t.join();
        }
        std::lock_guard guard(s.lock);
        std::erase_if(s.returned, [&](std::thread::id id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); });
    }
}
