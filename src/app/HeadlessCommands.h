#pragma once
// Commands that work without a window or display: --export, --thumbnail, --info,
// --convert, --help, --version.

#include <cstdio>

class Paper;
struct PaperFileHeader;

// True when the arguments ask for a headless command rather than the window.
bool IsHeadlessCommand(int argc, char** argv);
// Runs it and returns the exit status: 0 success, 1 failure, 2 usage error.
int RunHeadlessCommand(int argc, char** argv);

// Writes the document as --info shows it: JSON, written piece by piece.
void WritePaperJson(std::FILE* out, const Paper& paper, const PaperFileHeader& header);
