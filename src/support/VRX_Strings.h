#pragma once
// Bounded C-string helpers, formatting and file-name helpers. A buffer size
// always counts the terminating NUL.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Copies at most bufferSize - 1 characters and always terminates (unless the
// size is 0). Returns the length of `source`, so a result >= bufferSize means cut.
size_t SafeCopy(char* destination, const char* source, size_t bufferSize);

// Appends within bufferSize, always terminating. Returns the length it tried to
// create: destination length + source length, or bufferSize + source length
// when `destination` holds no NUL within the buffer (it is then left alone).
size_t SafeAppend(char* destination, const char* source, size_t bufferSize);

// Replaces every `from` by `to` in place, left to right, going on after each
// inserted `to`. Stops at the first replacement that would not fit in the
// buffer with its NUL. Returns the number of replacements; an empty `from`
// matches nothing.
int ReplaceAll(char* text, size_t bufferSize, const char* from, const char* to);

enum TrimMode : int {
    kTrimLeading = 1,
    kTrimTrailing = 2,
    kTrimBoth = kTrimLeading | kTrimTrailing,
};
// Removes leading and/or trailing characters that are in `characters`, in place.
char* TrimChars(char* text, const char* characters, int mode);

// Re-entrant tokeniser in the manner of strtok_r: pass the text on the first
// call and null afterwards. Skips leading delimiters, terminates the token in
// place and returns it; null when no token is left. Never returns empty tokens.
char* NextToken(char* text, const char* delimiters, char** cursor);

// Splits a text at one delimiter character. Leading delimiters and runs of
// delimiters produce no token; a text that ends in the delimiter gets one empty
// last token. So "8.5x11", "x8.5xx11" give "8.5" and "11"; "8.5x" gives "8.5"
// and ""; "xxx" gives ""; "" gives nothing.
class Tokenizer {
  public:
    Tokenizer(std::string_view text, char delimiter);

    size_t Count() const { return tokens_.size(); }
    const std::string& operator[](size_t index) const { return tokens_[index]; }
    const std::vector<std::string>& Tokens() const { return tokens_; }

  private:
    std::vector<std::string> tokens_;
};

// printf-style formatting into a new string; empty on a formatting error.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A whole number with its thousands grouped by commas: "-32,768", "250,000".
std::string FormatCount(int64_t value);

struct FreeDeleter {
    void operator()(char* text) const;
};
using CString = std::unique_ptr<char[], FreeDeleter>;
// printf-style formatting into a C string of exactly the needed size (for
// interfaces that want one); null on a formatting error or lack of memory.
CString AllocPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// printf-style formatting into a buffer of `size` bytes, cut to fit and always
// terminated (unless the size is 0). Returns the full length the text needs,
// or -1 on a formatting error.
int FormatInto(char* destination, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// The support library's own diagnostics, printf-style, to standard output.
void PrintLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The part of `path` after its last backslash; without one, after its last
// '/'; without either, the whole path. Both separators are accepted because
// documents may carry paths written on Windows. The result points into `path`,
// so it must not outlive the string it was taken from.
std::string_view GetFileName(std::string_view path);

// Whether `text` ends in `ending`, ASCII letters compared in either case (as
// file name extensions are).
bool EndsWithIgnoringCase(std::string_view text, std::string_view ending);

constexpr uint32_t ByteSwap32(uint32_t value) {
    return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) |
           (value << 24);
}
