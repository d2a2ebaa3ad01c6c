#include "app/Log.h"

#include "app/Editor.h"
#include "platform/FileSystem.h"

#include <cstdio>

void LogToFile(void* userdata, int category, SDL_LogPriority priority, const char* message) {
    auto* file = static_cast<FILE*>(userdata);
    if (file != nullptr) {
        std::fprintf(file, "%s\n", message);
        // At once, so that the log tells everything up to a crash.
        std::fflush(file);
    }
    if (editor->shell.previousLogOutput != nullptr) {
        editor->shell.previousLogOutput(editor->shell.previousLogUserdata, category, priority,
                                        message);
    }
}

bool OpenLog(const std::string& path) {
    CloseLog();
    // Opening a pipe of that name for writing would wait for a reader forever.
    if (IsOtherThanAFile(path)) {
        return false;
    }
    editor->shell.logFile = std::fopen(path.c_str(), "wb");
    if (editor->shell.logFile == nullptr) {
        return false;
    }
    SDL_LogGetOutputFunction(&editor->shell.previousLogOutput, &editor->shell.previousLogUserdata);
    SDL_LogSetOutputFunction(LogToFile, editor->shell.logFile);
    return true;
}

void CloseLog() {
    if (editor->shell.logFile == nullptr) {
        return;
    }
    SDL_LogSetOutputFunction(editor->shell.previousLogOutput, editor->shell.previousLogUserdata);
    editor->shell.previousLogOutput = nullptr;
    editor->shell.previousLogUserdata = nullptr;
    std::fclose(editor->shell.logFile);
    editor->shell.logFile = nullptr;
}
