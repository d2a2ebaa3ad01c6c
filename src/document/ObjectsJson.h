#pragma once
// Drawing objects as JSON text: the form `--info` lists them in and the
// clipboard carries them in, and the reader that turns such text back into
// records. The text may come from a text editor or a script, so the reader
// takes only what a record can hold and reports what it left out.

#include "document/ObjectRecord.h"

#include <SDL2/SDL_pixels.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class PaperObject;

// The most objects one paste takes; more would make one undo step too large
// to be useful and the paper slow to work with.
constexpr size_t kMaxPastedObjects = 10000;
// Longer clipboard text is not read at all, so a paste never keeps the
// program busy much longer than a second. 40 MB hold about 300,000 objects.
constexpr size_t kMaxObjectsJsonBytes = size_t{40} << 20;

// A JSON string literal, quotes included. Whatever is not valid UTF-8 becomes
// U+FFFD, so the output is always valid JSON.
std::string JsonString(std::string_view text);
// "[r, g, b, a]".
std::string JsonColor(SDL_Color color);

// Appends one object on one line, with its id and the fields its kind uses:
// {"id": 1, "kind": 0, "kindName": "Line", "x1": 10, "y1": 20, "x2": 30, ...}.
void AppendObjectJson(std::string& out, const PaperObject& object);
// The clipboard's text: a JSON array with one object a line.
std::string ObjectsToJson(const std::vector<const PaperObject*>& objects);

struct PastedObjects {
    // At most kMaxPastedObjects, in the order of the text.
    std::vector<ObjectRecord> records;
    // What the status line says about it, for example "Pasted 3 objects." or
    // "Nothing to paste: the clipboard holds no drawing objects."
    std::string message;
};

// Reads a JSON array of objects as ObjectsToJson writes it, or a whole
// `--info` document (its "objects"). Fields may come in any order; "id",
// "kindName" and fields a program does not know are ignored; layer, angle,
// colour and a circle's sides may be left out. An object whose kind is
// unknown, that lacks a field its kind needs, or that holds a number its field
// cannot is skipped, as is one with a coordinate or radius outside
// -32768..32767, and the message counts them. Texts longer than a record holds
// are cut. Text that is not JSON, or is broken anywhere, gives no records.
PastedObjects ObjectsFromJson(std::string_view text);
