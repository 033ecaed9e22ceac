// The running-helper count of one zone index build, shared by its eight slot trees, with what
// the build did with it.
#pragma once

#include <atomic>
#include <cstdint>

class HelperBudget {
public:
    explicit HelperBudget(std::int32_t maximum) : maximum_(maximum) {}
    HelperBudget(const HelperBudget&) = delete;
    HelperBudget& operator=(const HelperBudget&) = delete;

    // Test and raise in one step, so that no two builders can both take the last place.
    bool TryRaise() {
        std::int32_t running = running_.load(std::memory_order_relaxed);
        while (running < maximum_) {
            if (running_.compare_exchange_weak(running, running + 1, std::memory_order_acq_rel)) {
                NotePeak(running + 1);
                return true;
            }
        }
        return false;
    }
    void Lower() { running_.fetch_sub(1, std::memory_order_acq_rel); }

    void CountStarted() { started_.fetch_add(1, std::memory_order_relaxed); }
    void CountFallback() { fallbacks_.fetch_add(1, std::memory_order_relaxed); }

    std::int32_t Running() const { return running_.load(std::memory_order_acquire); }
    std::int32_t Peak() const { return peak_.load(std::memory_order_relaxed); }
    std::int32_t Started() const { return started_.load(std::memory_order_relaxed); }
    std::int32_t Fallbacks() const { return fallbacks_.load(std::memory_order_relaxed); }

private:
    void NotePeak(std::int32_t running) {
        std::int32_t peak = peak_.load(std::memory_order_relaxed);
        while (running > peak && !peak_.compare_exchange_weak(peak, running, std::memory_order_relaxed)) {
        }
    }

    const std::int32_t maximum_;
    std::atomic<std::int32_t> running_{0};
    std::atomic<std::int32_t> peak_{0};
    std::atomic<std::int32_t> started_{0};
    std::atomic<std::int32_t> fallbacks_{0};
};

// A helper thread's place in the budget, given back exactly once: by its node as soon as that
// node no longer needs it, or at the latest when the helper ends, an exception included.
class HelperPlace {
public:
    explicit HelperPlace(HelperBudget& budget) : budget_(&budget) {}
    ~HelperPlace() { GiveBack(); }
    HelperPlace(const HelperPlace&) = delete;
    HelperPlace& operator=(const HelperPlace&) = delete;

    void GiveBack() {
        if (budget_ != nullptr) budget_->Lower();
        budget_ = nullptr;
    }

private:
    HelperBudget* budget_;
};
