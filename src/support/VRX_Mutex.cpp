#include "support/VRX_Mutex.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

// A timed-out wait is worth a line on standard output only when the caller was
// prepared to wait a noticeable time; short polls time out routinely.
constexpr int32_t kQuietTimeoutMs = 1000;

} // namespace

uint32_t VRX_CurrentThreadId() {
    return static_cast<uint32_t>(gettid());
}

VRX_Mutex_Win32Mutex::VRX_Mutex_Win32Mutex(int32_t timeoutMs, const char* /*name*/)
    : timeoutMs_(timeoutMs) {}

bool VRX_Mutex_Win32Mutex::Lock() {
    if (timeoutMs_ >= 0) {
        return TryLock(timeoutMs_);
    }
    handle_.lock();
    RecordOwnership();
    return true;
}

bool VRX_Mutex_Win32Mutex::TryLock(int32_t milliseconds) {
    const auto wait = std::chrono::milliseconds(milliseconds < 0 ? 0 : milliseconds);
    if (handle_.try_lock_for(wait)) {
        RecordOwnership();
        return true;
    }
    if (milliseconds > kQuietTimeoutMs) {
        std::printf("Timeout while locking mutex! (%p, %p, %d)\n", static_cast<void*>(this),
                    static_cast<void*>(&handle_), 0);
        std::fflush(stdout);
    }
    return false;
}

void VRX_Mutex_Win32Mutex::RecordOwnership() {
    ownerThread_ = VRX_CurrentThreadId();
    const int32_t next = holdCount_ + 1;
    holdCount_ = next <= 0 ? 1 : next;
}

void VRX_Mutex_Win32Mutex::Unlock() {
    // A standard mutex must never be released by a thread that does not hold
    // it, and a stranger's release must not eat into the owner's hold count.
    if (!IsLockedByMe()) {
        std::printf("Error while unlocking mutex! (%p, %p, %d)\n", static_cast<void*>(this),
                    static_cast<void*>(&handle_), 1);
        std::fflush(stdout);
        return;
    }
    holdCount_ -= 1;
    if (holdCount_ <= 0) {
        ownerThread_ = 0;
    }
    handle_.unlock();
}

void VRX_Mutex_Win32Mutex::SetTimeout(int32_t milliseconds) {
    timeoutMs_ = milliseconds;
}

bool VRX_Mutex_Win32Mutex::IsLocked() {
    return holdCount_ > 0;
}

bool VRX_Mutex_Win32Mutex::IsLockedByMe() {
    return holdCount_ > 0 && ownerThread_ == VRX_CurrentThreadId();
}

uint32_t VRX_Mutex_Win32Mutex::GetOwnerThread() {
    return ownerThread_;
}
