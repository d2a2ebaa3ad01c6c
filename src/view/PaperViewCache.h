#pragma once
// The last picture of a paper's view before the tool preview, kept so that a
// frame in which nothing on the paper changed costs one copy instead of
// drawing every object again. A crowded view takes tens of milliseconds to
// draw; most frames only move the pointer.

#include "draw/SdlOwners.h"

#include <cstddef>
#include <cstdint>

class PaperViewCache {
  public:
    // Copies the picture kept for `key` into `target`; false when there is none
    // (or it has another size), and `target` is then untouched.
    bool Restore(uint64_t key, SDL_Surface* target) const;
    // Keeps a copy of `source` as the picture for `key`.
    void Store(uint64_t key, SDL_Surface* source);
    void Clear();

  private:
    SurfacePtr picture_;
    uint64_t key_ = 0;
    bool valid_ = false;
};

// A 64-bit digest of everything a view picture depends on: two frames with the
// same digest show the same picture.
class ViewFingerprint {
  public:
    void Add(const void* data, size_t size);
    template <class T> void Add(const T& value) { Add(&value, sizeof value); }
    uint64_t Value() const { return value_; }

  private:
    void Mix(uint64_t word);
    uint64_t value_ = 0x9E3779B97F4A7C15ull;
};
