#pragma once
// The support library's lock: re-entrant for its owner thread, with a timed
// acquire, and aware of which thread holds it and how often. Failures are
// printed to standard output instead of failing the caller hard.

#include <atomic>
#include <cstdint>
#include <mutex>

class VRX_Mutex_Base {
  public:
    virtual bool Lock() = 0;
    virtual bool TryLock(int32_t milliseconds) = 0;
    virtual void Unlock() = 0;
    virtual void SetTimeout(int32_t milliseconds) = 0;
    virtual bool IsLocked() = 0;
    virtual bool IsLockedByMe() = 0;
    virtual uint32_t GetOwnerThread() = 0;

  protected:
    ~VRX_Mutex_Base() = default;
};

// The Linux stand-in keeps the historical class name so callers stay unchanged.
class VRX_Mutex_Win32Mutex final : public VRX_Mutex_Base {
  public:
    // A negative timeout makes Lock wait without limit. The name is accepted for
    // compatibility; every lock here is process-local.
    explicit VRX_Mutex_Win32Mutex(int32_t timeoutMs, const char* name = nullptr);
    ~VRX_Mutex_Win32Mutex() = default;
    VRX_Mutex_Win32Mutex(const VRX_Mutex_Win32Mutex&) = delete;
    VRX_Mutex_Win32Mutex& operator=(const VRX_Mutex_Win32Mutex&) = delete;

    bool Lock() override;
    bool TryLock(int32_t milliseconds) override;
    void Unlock() override;
    void SetTimeout(int32_t milliseconds) override;
    bool IsLocked() override;
    bool IsLockedByMe() override;
    uint32_t GetOwnerThread() override;

  private:
    void RecordOwnership();

    // Written only by the holder; atomic so that other threads may ask.
    std::atomic<uint32_t> ownerThread_ = 0;
    std::atomic<int32_t> holdCount_ = 0;
    int32_t timeoutMs_ = 0;
    std::recursive_timed_mutex handle_;
};

// The timeout every user of the lock gives it: 30 minutes.
constexpr int32_t kVrxLockTimeoutMs = 1800000;

// Holds a lock for a scope; releases it on every way out only if this thread
// holds it, so a region that timed out never releases a lock it did not take.
class VRX_ScopedLock {
  public:
    explicit VRX_ScopedLock(VRX_Mutex_Base* lock) : lock_(lock) {
        if (lock_ != nullptr) {
            lock_->Lock();
        }
    }
    ~VRX_ScopedLock() {
        if (lock_ != nullptr && lock_->IsLockedByMe()) {
            lock_->Unlock();
        }
    }
    VRX_ScopedLock(const VRX_ScopedLock&) = delete;
    VRX_ScopedLock& operator=(const VRX_ScopedLock&) = delete;

  private:
    VRX_Mutex_Base* lock_;
};

// Calling thread's id as the lock records it.
uint32_t VRX_CurrentThreadId();
