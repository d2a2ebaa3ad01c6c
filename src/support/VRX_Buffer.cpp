#include "support/VRX_Buffer.h"

#include "support/VRX_Mutex.h"

#include <cstring>
#include <functional>
#include <new>

namespace {

constexpr uint8_t kFreedPoison = 0xFE;

void DeleteLock(VRX_Mutex_Base* lock) {
    // Buffers only ever create this one kind of lock.
    delete static_cast<VRX_Mutex_Win32Mutex*>(lock);
}

template <class T> void Poison(T& field) {
    std::memset(static_cast<void*>(&field), kFreedPoison, sizeof field);
}

} // namespace

VRX_Buffer::VRX_Buffer(bool withLock) {
    Init(withLock);
}

VRX_Buffer::~VRX_Buffer() {
    if (!freed_) {
        Free();
    }
}

void VRX_Buffer::Init(bool withLock) {
    if (!freed_) {
        delete storage;
        DeleteLock(lock);
    }
    freed_ = false;
    lock = nullptr;
    data = nullptr;
    length = 0;
    consumed_ = 0;
    storage = new std::vector<uint8_t>();
    if (withLock) {
        lock = new VRX_Mutex_Win32Mutex(kVrxLockTimeoutMs);
    }
}

void VRX_Buffer::Free() {
    if (freed_) {
        return;
    }
    delete storage;
    DeleteLock(lock);
    freed_ = true;
    Poison(lock);
    Poison(data);
    Poison(length);
    Poison(storage);
}

void VRX_Buffer::RefreshData() {
    data = length > 0 ? storage->data() + consumed_ : nullptr;
}

bool VRX_Buffer::Append(const void* bytes, int64_t n) {
    if (n <= 0) {
        return true;
    }
    if (bytes == nullptr) {
        return false;
    }
    VRX_ScopedLock hold(lock);
    const size_t oldEnd = storage->size();
    // Appending bytes the buffer already holds must survive the reallocation.
    const auto* source = static_cast<const uint8_t*>(bytes);
    const bool fromSelf = std::less_equal<>()(storage->data(), source) &&
                          std::less<>()(source, storage->data() + oldEnd);
    const size_t selfOffset = fromSelf ? static_cast<size_t>(source - storage->data()) : 0;
    try {
        storage->resize(oldEnd + static_cast<size_t>(n));
    } catch (const std::exception&) {
        return false;
    }
    if (fromSelf) {
        source = storage->data() + selfOffset;
    }
    std::memmove(storage->data() + oldEnd, source, static_cast<size_t>(n));
    length += n;
    RefreshData();
    return true;
}

bool VRX_Buffer::Reserve(int64_t n) {
    if (n <= 0 || storage == nullptr) {
        return n <= 0;
    }
    VRX_ScopedLock hold(lock);
    try {
        storage->reserve(storage->size() + static_cast<size_t>(n));
    } catch (const std::exception&) {
        return false;
    }
    RefreshData(); // the bytes may have moved
    return true;
}

void VRX_Buffer::Clear() {
    VRX_ScopedLock hold(lock);
    storage->clear();
    consumed_ = 0;
    length = 0;
    data = nullptr;
}

void VRX_Buffer::Consume(int64_t n) {
    if (n < 1) {
        return;
    }
    VRX_ScopedLock hold(lock);
    if (n >= length) {
        Clear();
        return;
    }
    consumed_ += n;
    length -= n;
    // Moving the rest to the front only once the dead bytes outnumber the live
    // ones keeps the total work proportional to the bytes read.
    if (consumed_ > length) {
        storage->erase(storage->begin(), storage->begin() + consumed_);
        consumed_ = 0;
    }
    RefreshData();
}

bool VRX_Buffer::SetLength(int64_t n) {
    VRX_ScopedLock hold(lock);
    if (n < 0) {
        n = 0;
    }
    try {
        storage->erase(storage->begin(), storage->begin() + consumed_);
        consumed_ = 0;
        storage->resize(static_cast<size_t>(n));
    } catch (const std::exception&) {
        length = static_cast<int64_t>(storage->size());
        RefreshData();
        return false;
    }
    length = n;
    RefreshData();
    return true;
}

bool VRX_Buffer::Set(const void* bytes, int64_t n) {
    VRX_ScopedLock hold(lock);
    if (n <= 0) {
        Clear();
        return true;
    }
    std::vector<uint8_t> copy;
    try {
        copy.assign(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + n);
    } catch (const std::exception&) {
        return false;
    }
    Adopt(std::move(copy));
    return true;
}

void VRX_Buffer::Adopt(std::vector<uint8_t>&& bytes) {
    VRX_ScopedLock hold(lock);
    *storage = std::move(bytes);
    consumed_ = 0;
    length = static_cast<int64_t>(storage->size());
    RefreshData();
}

bool VRX_Buffer::Ensure(int64_t n) {
    while (length < n) {
        if (source == nullptr || !source->Refill(*this)) {
            return false;
        }
    }
    return true;
}

uint64_t VRX_Buffer::Available() const {
    const uint64_t held = length > 0 ? static_cast<uint64_t>(length) : 0;
    return held + (source != nullptr ? source->Remaining() : 0);
}
