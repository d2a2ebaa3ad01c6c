#pragma once
// Other programs, started from an argument vector. No shell ever sees the
// arguments, so file names with blanks, quotes or '$' pass through unchanged.

#include <string>
#include <vector>

struct ProcessResult {
    bool started = false; // false when the program could not be found or run
    int exitStatus = -1;  // its exit status; 128 + signal number when killed by a signal
};

// Starts argv[0] (looked up in PATH) with the given arguments and waits for it.
ProcessResult RunProcessAndWait(const std::vector<std::string>& argv);

// Starts argv[0] (looked up in PATH) in a session of its own and returns at once.
// The child is reaped when it ends, so no zombie is left behind.
bool StartProcessDetached(const std::vector<std::string>& argv);
