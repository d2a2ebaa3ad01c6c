#pragma once

// The whole program: headless commands (--export, --info, --help, --version)
// or the window with its main loop. Returns the process exit status.
int RunProgram(int argc, char** argv);
