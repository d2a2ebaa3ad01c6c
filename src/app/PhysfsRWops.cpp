#include "app/PhysfsRWops.h"

#include <SDL2/SDL.h>

#include <limits>

const char* PhysfsLastError() {
    return PHYSFS_getErrorByCode(PHYSFS_getLastErrorCode());
}

namespace {

void SetPhysfsError() {
    SDL_SetError("PhysicsFS error: %s", PhysfsLastError());
}

PHYSFS_File* HandleOf(SDL_RWops* rw) {
    return static_cast<PHYSFS_File*>(rw->hidden.unknown.data1);
}

Sint64 SDLCALL StreamSize(SDL_RWops* rw) {
    return PHYSFS_fileLength(HandleOf(rw));
}

Sint64 SDLCALL StreamSeek(SDL_RWops* rw, Sint64 offset, int whence) {
    PHYSFS_File* handle = HandleOf(rw);
    Sint64 target = 0;
    if (whence == RW_SEEK_SET) {
        target = offset;
    } else if (whence == RW_SEEK_CUR) {
        const PHYSFS_sint64 position = PHYSFS_tell(handle);
        if (position == -1) {
            SDL_SetError("Can't find position in file: %s", PhysfsLastError());
            return -1;
        }
        // Asking for the position is common and must not disturb the stream.
        if (offset == 0) {
            return position;
        }
        if (__builtin_add_overflow(position, offset, &target)) {
            SDL_SetError("Invalid seek offset.");
            return -1;
        }
    } else if (whence == RW_SEEK_END) {
        const PHYSFS_sint64 length = PHYSFS_fileLength(handle);
        if (length == -1) {
            SDL_SetError("Can't find end of file: %s", PhysfsLastError());
            return -1;
        }
        if (__builtin_add_overflow(length, offset, &target)) {
            SDL_SetError("Invalid seek offset.");
            return -1;
        }
    } else {
        SDL_SetError("Invalid 'whence' parameter.");
        return -1;
    }

    if (target < 0) {
        SDL_SetError("Attempt to seek past start of file.");
        return -1;
    }
    if (PHYSFS_seek(handle, static_cast<PHYSFS_uint64>(target)) == 0) {
        SetPhysfsError();
        return -1;
    }
    return target;
}

// The byte count of `size` times `count` elements, or false when it does not fit.
bool ByteCount(size_t size, size_t count, PHYSFS_uint64& bytes) {
    size_t product = 0;
    if (__builtin_mul_overflow(size, count, &product) ||
        product > static_cast<PHYSFS_uint64>(std::numeric_limits<PHYSFS_sint64>::max())) {
        SDL_SetError("Read or write of %zu elements of %zu bytes is too large.", count, size);
        return false;
    }
    bytes = product;
    return true;
}

size_t SDLCALL StreamRead(SDL_RWops* rw, void* buffer, size_t size, size_t count) {
    PHYSFS_uint64 wanted = 0;
    if (!ByteCount(size, count, wanted)) {
        return 0;
    }
    PHYSFS_File* handle = HandleOf(rw);
    const PHYSFS_sint64 got = PHYSFS_readBytes(handle, buffer, wanted);
    if (got < 0 || (static_cast<PHYSFS_uint64>(got) != wanted && PHYSFS_eof(handle) == 0)) {
        SetPhysfsError();
        return 0;
    }
    return size == 0 ? 0 : static_cast<size_t>(got) / size;
}

size_t SDLCALL StreamWrite(SDL_RWops* rw, const void* buffer, size_t size, size_t count) {
    PHYSFS_uint64 wanted = 0;
    if (!ByteCount(size, count, wanted)) {
        return 0;
    }
    const PHYSFS_sint64 written = PHYSFS_writeBytes(HandleOf(rw), buffer, wanted);
    if (written < 0 || static_cast<PHYSFS_uint64>(written) != wanted) {
        SetPhysfsError();
    }
    if (written <= 0 || size == 0) {
        return 0;
    }
    return static_cast<size_t>(written) / size;
}

int SDLCALL StreamClose(SDL_RWops* rw) {
    // A file whose buffered data cannot be written stays open with its stream,
    // so that the caller may still try again.
    if (PHYSFS_close(HandleOf(rw)) == 0) {
        SetPhysfsError();
        return -1;
    }
    SDL_FreeRW(rw);
    return 0;
}

SDL_RWops* WrapOpened(PHYSFS_File* handle) {
    if (handle == nullptr) {
        SetPhysfsError();
        return nullptr;
    }
    SDL_RWops* rw = PHYSFSRWOPS_makeRWops(handle);
    if (rw == nullptr) {
        PHYSFS_close(handle);
    }
    return rw;
}

} // namespace

extern "C" {

SDL_RWops* PHYSFSRWOPS_makeRWops(PHYSFS_File* handle) {
    if (handle == nullptr) {
        SDL_SetError("NULL pointer passed to PHYSFSRWOPS_makeRWops().");
        return nullptr;
    }
    SDL_RWops* rw = SDL_AllocRW();
    if (rw == nullptr) {
        return nullptr;
    }
    rw->size = StreamSize;
    rw->seek = StreamSeek;
    rw->read = StreamRead;
    rw->write = StreamWrite;
    rw->close = StreamClose;
    rw->hidden.unknown.data1 = handle;
    return rw;
}

SDL_RWops* PHYSFSRWOPS_openRead(const char* fname) {
    return WrapOpened(PHYSFS_openRead(fname));
}

SDL_RWops* PHYSFSRWOPS_openWrite(const char* fname) {
    return WrapOpened(PHYSFS_openWrite(fname));
}

SDL_RWops* PHYSFSRWOPS_openAppend(const char* fname) {
    return WrapOpened(PHYSFS_openAppend(fname));
}

} // extern "C"
