#include "app/Log.h"

#include "app/AppState.h"
#include "platform/FileSystem.h"

#include <cstdio>

void LogToFile(void* userdata, int category, SDL_LogPriority priority, const char* message) {
    auto* file = static_cast<FILE*>(userdata);
    if (file != nullptr) {
        std::fprintf(file, "%s\n", message);
        // At once, so that the log tells everything up to a crash.
        std::fflush(file);
    }
    if (previousLogOutput != nullptr) {
        previousLogOutput(previousLogUserdata, category, priority, message);
    }
}

bool OpenLog(const std::string& path) {
    CloseLog();
    // Opening a pipe of that name for writing would wait for a reader forever.
    if (IsOtherThanAFile(path)) {
        return false;
    }
    logFile = std::fopen(path.c_str(), "wb");
    if (logFile == nullptr) {
        return false;
    }
    SDL_LogGetOutputFunction(&previousLogOutput, &previousLogUserdata);
    SDL_LogSetOutputFunction(LogToFile, logFile);
    return true;
}

void CloseLog() {
    if (logFile == nullptr) {
        return;
    }
    SDL_LogSetOutputFunction(previousLogOutput, previousLogUserdata);
    previousLogOutput = nullptr;
    previousLogUserdata = nullptr;
    std::fclose(logFile);
    logFile = nullptr;
}
