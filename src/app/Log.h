#pragma once
// The program's log "tessellon.log": SDL's log output goes there, one message per
// line, and on to the output SDL had before.

#include <SDL2/SDL_log.h>

#include <string>

// SDL log output function: writes "message\n" to the FILE given as user data,
// flushes it, then passes the message on to the previous output.
void LogToFile(void* userdata, int category, SDL_LogPriority priority, const char* message);

// Opens (truncating) the log at `path` and routes SDL's log output through it.
// When the file cannot be opened, logging stays as it was; false then.
bool OpenLog(const std::string& path);
// Puts SDL's previous output back, then closes the file, so that nothing logged
// afterwards can reach a closed file. Does nothing when no log is open.
void CloseLog();
