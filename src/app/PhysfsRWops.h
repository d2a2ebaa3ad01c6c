#pragma once
// SDL streams over PhysicsFS files, so that SDL_ttf and SDL_image read fonts and
// images from the merged resource tree. The four entry points are exported by the
// executable under these C names for anything loaded into the process.
//
// A stream owns its PhysicsFS file: closing the stream closes the file. Every
// failure returns null (or -1) with SDL's error text set.

#include <physfs.h>

struct SDL_RWops;

#define PHYSFSRWOPS_EXPORT __attribute__((visibility("default")))

extern "C" {

// Opens a resource of the merged tree for reading.
PHYSFSRWOPS_EXPORT SDL_RWops* PHYSFSRWOPS_openRead(const char* fname);
// Open for writing or appending; they fail unless a PhysicsFS write folder is set.
PHYSFSRWOPS_EXPORT SDL_RWops* PHYSFSRWOPS_openWrite(const char* fname);
PHYSFSRWOPS_EXPORT SDL_RWops* PHYSFSRWOPS_openAppend(const char* fname);
// Wraps an already open file; the stream takes it over.
PHYSFSRWOPS_EXPORT SDL_RWops* PHYSFSRWOPS_makeRWops(PHYSFS_File* handle);

} // extern "C"

// PhysicsFS's text for its last error on this thread.
const char* PhysfsLastError();
