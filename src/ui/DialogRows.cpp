#include "ui/DialogRows.h"

#include "ui/DialogDrawing.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr int kMinThumbLength = 16;
constexpr int kThumbMargin = 3;
constexpr uint32_t kTypeAheadPauseMs = 1000;

bool StartsWithFolded(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

SDL_Rect ScrollBarGeometry::Thumb() const {
    if (!Needed() || count <= 0) {
        return {track.x, track.y, track.w, track.h};
    }
    const int length = std::max(
        kMinThumbLength, static_cast<int>(static_cast<long long>(track.h) * visible / count));
    const int travel = std::max(0, track.h - length);
    const int range = count - visible;
    const int offset =
        range > 0 ? static_cast<int>(static_cast<long long>(travel) * top / range) : 0;
    return {track.x + kThumbMargin, track.y + offset, track.w - 2 * kThumbMargin, length};
}

int ScrollBarGeometry::TopForThumbAt(int thumbTop) const {
    const SDL_Rect thumb = Thumb();
    const int travel = track.h - thumb.h;
    const int range = count - visible;
    if (travel <= 0 || range <= 0) {
        return 0;
    }
    const int offset = std::clamp(thumbTop - track.y, 0, travel);
    return static_cast<int>((static_cast<long long>(offset) * range + travel / 2) / travel);
}

void ScrollBarGeometry::Draw(SDL_Renderer* renderer) const {
    if (!Needed()) {
        return;
    }
    FillRect(renderer, track, DialogColors::kScrollTrack);
    FillRect(renderer, Thumb(), DialogColors::kScrollThumb);
}

bool RowForKey(SDL_Keycode key, int from, int page, int count, bool sideways, int& row) {
    const int step = std::max(1, page);
    if (sideways && key == SDLK_LEFT) {
        key = SDLK_UP;
    } else if (sideways && key == SDLK_RIGHT) {
        key = SDLK_DOWN;
    }
    switch (key) {
    case SDLK_UP:
        row = from - 1;
        break;
    case SDLK_DOWN:
        row = from + 1;
        break;
    case SDLK_PAGEUP:
        row = from - step;
        break;
    case SDLK_PAGEDOWN:
        row = std::max(from, 0) + step;
        break;
    case SDLK_HOME:
        row = 0;
        break;
    case SDLK_END:
        row = count - 1;
        break;
    default:
        return false;
    }
    row = std::clamp(row, 0, std::max(0, count - 1));
    return true;
}

int ClampTop(int top, int visible, int count) {
    return std::max(0, std::min(top, count - visible));
}

int TopKeepingRowVisible(int top, int row, int visible, int count) {
    if (row < top) {
        top = row;
    } else if (row >= top + visible) {
        top = row - visible + 1;
    }
    return ClampTop(top, visible, count);
}

int TypeAhead::Find(const char* text, uint32_t timestamp, int current, int count,
                    const std::function<const std::string&(int)>& rowText) {
    if (timestamp - lastTime > kTypeAheadPauseMs) {
        prefix.clear();
    }
    lastTime = timestamp;
    prefix += text;
    if (count <= 0) {
        return -1;
    }
    // A longer prefix may still match the current row; a fresh letter moves on.
    const bool sameLetterAgain =
        prefix.size() > 1 && std::all_of(prefix.begin(), prefix.end(), [&](char c) {
            return std::tolower(static_cast<unsigned char>(c)) ==
                   std::tolower(static_cast<unsigned char>(prefix[0]));
        });
    const std::string wanted = sameLetterAgain ? prefix.substr(0, 1) : prefix;
    const int start = (wanted.size() == 1 || current < 0) ? current + 1 : current;
    for (int step = 0; step < count; ++step) {
        const int row = ((start + step) % count + count) % count;
        if (StartsWithFolded(rowText(row), wanted)) {
            return row;
        }
    }
    return -1;
}
