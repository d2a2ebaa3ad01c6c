#pragma once
// The end of the window program.

// After the main loop: stores the window's position and size in the settings
// file and closes the log.
void RunExitSteps();

// Releases, in order: the tool in progress, the papers, toolbox, menu and About
// images, the fonts and SDL_ttf, SDL_image, the renderer and window and SDL, and
// PhysicsFS. Safe after a start-up that stopped half-way.
void ShutdownProgram();
// ShutdownProgram, then ends the process with `status`.
[[noreturn]] void ShutdownAndExit(int status);
