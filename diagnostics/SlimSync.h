// The lock and the wake-ups of the inventory's reader pool. On Windows they
// are the system's slim lock and condition variable, which wait in the
// process itself: this toolchain's std::mutex and std::condition_variable
// are built on kernel events, and under Wine every wait on one and every
// wake of one is a request to the wineserver, paid for each file the walk
// hands to a reader. Elsewhere they are the standard library's.
#pragma once

#include <condition_variable>
#include <mutex>

#ifdef _WIN32

class CSlimMutex {
public:
    CSlimMutex() = default;
    CSlimMutex(const CSlimMutex&) = delete;
    CSlimMutex& operator=(const CSlimMutex&) = delete;

    void lock();
    bool try_lock();
    void unlock();

private:
    friend class CSlimCondition;
    void* m_lock = nullptr;  // the system's lock: one pointer, zero when free
};

class CSlimCondition {
public:
    CSlimCondition() = default;
    CSlimCondition(const CSlimCondition&) = delete;
    CSlimCondition& operator=(const CSlimCondition&) = delete;

    void notify_one();
    void notify_all();
    void wait(std::unique_lock<CSlimMutex>& lock);
    template <typename Predicate>
    void wait(std::unique_lock<CSlimMutex>& lock, Predicate ready) {
        while (!ready()) wait(lock);
    }

private:
    void* m_condition = nullptr;  // the system's condition variable: one pointer
};

#else

using CSlimMutex = std::mutex;
using CSlimCondition = std::condition_variable;

#endif
