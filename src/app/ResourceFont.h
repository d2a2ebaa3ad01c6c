#pragma once
// Fonts of the resource tree opened from a copy of their file held in memory,
// for a font whose file is wanted again later: PDF and SVG exports embed the
// drawing font's file, which is then the very one the view draws with.

#include <cstdint>
#include <vector>

typedef struct _TTF_Font TTF_Font;

// Reads `file` of the resource tree into `bytes` and opens it as a font of
// `points` points reading from them. The font reads from `bytes` for as long
// as it is open, so they must stay unchanged until it is closed. Null with
// SDL's error set (and `bytes` empty) when the file cannot be read or is no
// font.
TTF_Font* OpenResourceFontKeepingFile(const char* file, int points, std::vector<uint8_t>& bytes);
