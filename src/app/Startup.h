#pragma once
// Start-up of the window program and its fatal-error path.

#include <string>

// Prepares everything the main loop needs, in order: log, resource tree, SDL,
// window and renderer at the stored geometry, SDL_image, SDL_ttf, fonts, screen
// layout, and the documents named on the command line. Returns 0 when the program
// is ready, or 1 after reporting the failure with ReportFatalError; either way
// ShutdownProgram (or ShutdownAndExit) releases what was made.
int StartUp(int argc, char** argv);

// Logs `message` at error priority and shows it in an error box titled
// "Fatal Error" over the window (when there is one yet).
void ReportFatalError(const std::string& message);
// ReportFatalError, then ShutdownAndExit with status 1.
[[noreturn]] void FatalError(const std::string& message);
