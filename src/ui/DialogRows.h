#pragma once
// What the list controls share: the vertical scroll bar over a run of rows
// and the type-ahead search that jumps to the row starting with typed text.

#include <SDL2/SDL_keycode.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <functional>
#include <string>

struct SDL_Renderer;

constexpr int kScrollBarWidth = 14;

// A vertical scroll bar over `count` rows of which `visible` show from `top`.
struct ScrollBarGeometry {
    SDL_Rect track = {0, 0, 0, 0};
    int top = 0;
    int visible = 1;
    int count = 0;

    bool Needed() const { return count > visible; }
    SDL_Rect Thumb() const;
    // The top row that puts the thumb's upper edge at window y `thumbTop`.
    int TopForThumbAt(int thumbTop) const;
    void Draw(SDL_Renderer* renderer) const;
};

// The row a navigation key (arrows, Page Up/Down, Home, End) moves to from
// `from` (-1 for none) among `count` rows shown `page` at a time, kept in
// range. False for any other key. With `sideways`, Left and Right act like Up
// and Down.
bool RowForKey(SDL_Keycode key, int from, int page, int count, bool sideways, int& row);

// The top row that keeps `row` in view, given the current top.
int TopKeepingRowVisible(int top, int row, int visible, int count);
// A top row moved into the valid range.
int ClampTop(int top, int visible, int count);

// Letters typed in quick succession search for the row that starts with all
// of them; a pause starts a new search.
class TypeAhead {
  public:
    // The row to choose for the typed `text`, or -1; `current` is the row
    // chosen now. A single letter typed again moves on to the next match.
    int Find(const char* text, uint32_t timestamp, int current, int count,
             const std::function<const std::string&(int)>& rowText);
    // Any other key or click starts the next search afresh.
    void Reset() { prefix.clear(); }

  private:
    std::string prefix;
    uint32_t lastTime = 0;
};
