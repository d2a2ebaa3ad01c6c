#pragma once
// A growable byte buffer, read from the front and written at the end, with an
// optional lock for buffers shared between threads.
//
// Readers look at `data` and `length` and then remove what they used with
// Consume; writers Append. Every operation that changes the buffer holds the
// lock, when there is one, for its whole run.

#include <cstdint>
#include <vector>

class VRX_Mutex_Base;
class VRX_Buffer;

// Produces the rest of a buffer's bytes while it is being read, so that a large
// stream (an inflating document, say) never has to be held whole.
class VRX_BufferSource {
  public:
    virtual ~VRX_BufferSource() = default;
    // Appends more bytes to `buffer`; false when no more can come.
    virtual bool Refill(VRX_Buffer& buffer) = 0;
    // The most bytes still to come.
    virtual uint64_t Remaining() const = 0;
};

class VRX_Buffer {
  public:
    // Starts empty, like Init(withLock).
    explicit VRX_Buffer(bool withLock = false);
    // Frees the storage and the lock unless Free() already did.
    ~VRX_Buffer();
    VRX_Buffer(const VRX_Buffer&) = delete;
    VRX_Buffer& operator=(const VRX_Buffer&) = delete;

    // Starts over empty, releasing what the buffer held before.
    void Init(bool withLock);
    // Destroys storage and lock, then poisons the fields with 0xFE bytes.
    void Free();
    // n <= 0 returns true at once without locking. False only when memory runs out.
    bool Append(const void* bytes, int64_t n);
    // Makes room for `n` more bytes at once, so that a large write grows the
    // storage once instead of copying it at every doubling. A hint only: it
    // answers false, changing nothing, when memory runs out.
    bool Reserve(int64_t n);
    void Clear();
    // Removes n bytes from the front; n >= length empties the buffer.
    void Consume(int64_t n);
    // New bytes are zero. False (buffer unchanged) when memory runs out.
    bool SetLength(int64_t n);
    bool Set(const void* bytes, int64_t n);
    // Takes over `bytes` as the whole content without copying them.
    void Adopt(std::vector<uint8_t>&& bytes);
    // True when at least n bytes are held, asking the source for more first.
    bool Ensure(int64_t n);
    // The bytes held and those the source may still deliver.
    uint64_t Available() const;

    VRX_Mutex_Base* lock = nullptr; // owned; null without a lock
    uint8_t* data = nullptr;        // first byte held; null when empty after Clear
    int64_t length = 0;             // bytes held
    // Owned. Consumed bytes may linger at its front until enough of them pile
    // up, so reading a large buffer field by field stays linear: the bytes held
    // are always its last `length` bytes.
    std::vector<uint8_t>* storage = nullptr;
    // Not owned; null for a buffer that holds all it will ever hold.
    VRX_BufferSource* source = nullptr;

  private:
    void RefreshData();

    int64_t consumed_ = 0; // dead bytes at the front of storage
    bool freed_ = false;
};
