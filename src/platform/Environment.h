#pragma once
// The process's surroundings as the operating system reports them: environment
// variables, the executable's location, the process id and the user's folders.

#include <cstdint>
#include <string>

// The value of an environment variable. Unset and empty give an empty string:
// the program treats an empty variable exactly like a missing one.
std::string GetEnvironmentValue(const char* name);

// Folder of the running executable, ending in '/'; "./" when it cannot be found.
std::string GetExecutableFolder();

uint32_t GetProcessId();
// True when a process of that id runs on this machine (one of another user
// included); false for 0.
bool ProcessIsRunning(uint32_t processId);

// Where per-user configuration lives, ending in '/': "$XDG_CONFIG_HOME/", else
// "$HOME/.config/", else the executable's folder. Not created here.
std::string GetUserConfigFolder();

// Where per-user state that outlives a run but is no configuration lives,
// ending in '/': "$XDG_STATE_HOME/", else "$HOME/.local/state/", else the
// executable's folder. Not created here.
std::string GetUserStateFolder();

// The user's documents folder, ending in '/': the XDG_DOCUMENTS_DIR entry of
// user-dirs.dirs in the configuration folder ($HOME expanded), else
// "$HOME/Documents/", else "Documents/" in the executable's folder. Not created here.
std::string GetUserDocumentsFolder();
