#pragma once
// Writing a whole paper as a PNG image. The paper is drawn band by band and
// each band is compressed into the file at once, so even the largest paper
// needs only the memory of one band; the file appears complete or not at all.

#include <string>

class Paper;

// Draws the whole paper as an export does (grid over the whole paper as
// `gridVisible` says, no tool preview; black on white unless `ownPalette`)
// and writes it as an 8-bit RGB PNG to `path`. False when the paper has no
// surface or the file cannot be written; an existing file at `path` is then
// left as it was.
bool WritePaperPng(Paper& paper, bool ownPalette, const std::string& path);
