#pragma once
// A growable byte buffer, read from the front and written at the end, with an
// optional lock for buffers shared between threads.

#include <cstdint>
#include <vector>

class VRX_Mutex_Base;

class VRX_Buffer {
  public:
    // Starts empty, like Init(withLock).
    explicit VRX_Buffer(bool withLock = false);
    // Frees the storage and the lock unless Free() already did.
    ~VRX_Buffer();
    VRX_Buffer(const VRX_Buffer&) = delete;
    VRX_Buffer& operator=(const VRX_Buffer&) = delete;

    void Init(bool withLock);
    // Destroys storage and lock, then poisons the fields with 0xFE bytes.
    void Free();
    // n <= 0 returns true at once without locking.
    bool Append(const void* bytes, int64_t n);
    void Clear();
    // Removes n bytes from the front; n >= length empties the buffer.
    void Consume(int64_t n);
    void SetLength(int64_t n);
    void Set(const void* bytes, int64_t n);

    VRX_Mutex_Base* lock = nullptr;          // owned; null without a lock
    uint8_t* data = nullptr;                 // first byte held; null when empty after Clear
    int64_t length = 0;                      // bytes held
    std::vector<uint8_t>* storage = nullptr; // owned; its size equals length

  private:
    bool freed_ = false;
};
