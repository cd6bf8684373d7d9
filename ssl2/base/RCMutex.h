// Process-wide locks of the readers: a recursive mutex and its scoped holder.
#pragma once

#include <mutex>

namespace VEMTO {

/// A recursive mutex.
class RCMutex {
public:
    /// Waits for the mutex and takes it (again, on the thread that holds it).
    void Lock() { m_mutex.lock(); }
    /// Gives up one Lock.
    void Unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

/// Holds `mutex` from construction to destruction.
class RCAutoFreeMutex {
public:
    /// Locks `mutex`.
    explicit RCAutoFreeMutex(RCMutex& mutex) : m_mutex(mutex) { m_mutex.Lock(); }
    ~RCAutoFreeMutex() { m_mutex.Unlock(); }
    RCAutoFreeMutex(const RCAutoFreeMutex&) = delete;
    RCAutoFreeMutex& operator=(const RCAutoFreeMutex&) = delete;

private:
    RCMutex& m_mutex;
};

}  // namespace VEMTO
