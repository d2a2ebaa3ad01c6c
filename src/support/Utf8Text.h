#pragma once
// Small UTF-8 helpers for single-line text fields: stepping over whole
// characters and cutting text without splitting one.

#include <cstddef>
#include <string>
#include <string_view>

// Offset of the character boundary before / after `pos` (clamped to the text).
size_t Utf8Previous(std::string_view text, size_t pos);
size_t Utf8Next(std::string_view text, size_t pos);

// Length of the longest prefix of at most `maxBytes` bytes that ends on a
// character boundary.
size_t Utf8FitBytes(std::string_view text, size_t maxBytes);

// Cuts `text` to at most `maxBytes` bytes without splitting a character.
void CutUtf8(std::string& text, size_t maxBytes);

// The text a single-line field accepts from a paste or typed input: up to the
// first line break, with other control characters removed.
std::string SingleLineText(std::string_view text);
