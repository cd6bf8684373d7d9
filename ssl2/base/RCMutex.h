// Process-wide locks of the readers: a recursive mutex and its scoped holder.
#pragma once

#include <mutex>

namespace VEMTO {

class RCMutex {
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

/// Holds `mutex` from construction to destruction.
class RCAutoFreeMutex {
public:
    explicit RCAutoFreeMutex(RCMutex& mutex) : m_mutex(mutex) { m_mutex.Lock(); }
    ~RCAutoFreeMutex() { m_mutex.Unlock(); }
    RCAutoFreeMutex(const RCAutoFreeMutex&) = delete;
    RCAutoFreeMutex& operator=(const RCAutoFreeMutex&) = delete;

private:
    RCMutex& m_mutex;
};

}  // namespace VEMTO
