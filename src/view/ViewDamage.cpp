#include "view/ViewDamage.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

// Past this many separate rectangles, they are joined into one.
constexpr size_t kMaxDamageRects = 8;

SDL_Rect Union(const SDL_Rect& a, const SDL_Rect& b) {
    SDL_Rect joined;
    SDL_UnionRect(&a, &b, &joined);
    return joined;
}

} // namespace

void ViewFingerprint::Mix(uint64_t word) {
    value_ = (value_ ^ word) * 0xFF51AFD7ED558CCDull;
    value_ ^= value_ >> 32;
}

void ViewFingerprint::Add(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t offset = 0;
    for (; offset + sizeof(uint64_t) <= size; offset += sizeof(uint64_t)) {
        uint64_t word = 0;
        std::memcpy(&word, bytes + offset, sizeof word);
        Mix(word);
    }
    uint64_t tail = 0;
    std::memcpy(&tail, bytes + offset, size - offset);
    Mix(tail);
    // The length goes in as well, so that runs of different sizes never alias.
    Mix(size);
}

void DrawnObject::SetBox(const PixelBox& box) {
    if (box.right < box.left || box.bottom < box.top) {
        *this = DrawnObject{look};
        return;
    }
    auto cut = [](int64_t value) {
        return static_cast<int16_t>(std::clamp<int64_t>(value, INT16_MIN, INT16_MAX));
    };
    left = cut(box.left);
    top = cut(box.top);
    right = cut(box.right);
    bottom = cut(box.bottom);
}

void DamageRegion::Add(const PixelBox& box) {
    // Cut to the area while still 64-bit: a box may reach far off the paper.
    const int64_t left = std::max<int64_t>(box.left, area_.x);
    const int64_t top = std::max<int64_t>(box.top, area_.y);
    const int64_t right = std::min<int64_t>(box.right, int64_t{area_.x} + area_.w - 1);
    const int64_t bottom = std::min<int64_t>(box.bottom, int64_t{area_.y} + area_.h - 1);
    if (left > right || top > bottom) {
        return;
    }
    Add(SDL_Rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left + 1),
                 static_cast<int>(bottom - top + 1)});
}

void DamageRegion::Add(const SDL_Rect& rect) {
    SDL_Rect added;
    if (SDL_IntersectRect(&rect, &area_, &added) != SDL_TRUE) {
        return;
    }
    // Whatever it overlaps joins it, and what the joined rectangle then
    // overlaps joins too, so the rectangles never overlap one another.
    for (bool joined = true; joined;) {
        joined = false;
        for (auto it = rects_.begin(); it != rects_.end(); ++it) {
            if (SDL_HasIntersection(&*it, &added) == SDL_TRUE) {
                added = Union(added, *it);
                rects_.erase(it);
                joined = true;
                break;
            }
        }
    }
    rects_.push_back(added);
    if (rects_.size() > kMaxDamageRects) {
        const SDL_Rect all = Bounds();
        rects_.assign(1, all);
    }
}

bool DamageRegion::Everything() const {
    return rects_.size() == 1 && SDL_RectEquals(&rects_[0], &area_) == SDL_TRUE;
}

SDL_Rect DamageRegion::Bounds() const {
    if (rects_.empty()) {
        return {0, 0, 0, 0};
    }
    SDL_Rect all = rects_[0];
    for (const SDL_Rect& rect : rects_) {
        all = Union(all, rect);
    }
    return all;
}

bool FindDamage(const std::vector<DrawnObject>& before, std::vector<DrawnObject>& now,
                const std::function<PixelBox(size_t)>& boxOf, DamageRegion& damage) {
    // An object whose look is unchanged keeps its box; any other is drawn anew
    // and damages where it was, if it was, and where it is.
    auto drawAnew = [&](size_t index) {
        now[index].SetBox(boxOf(index));
        if (now[index].HasBox()) {
            damage.Add(now[index].Box());
        }
    };
    auto erase = [&](const DrawnObject& old) {
        if (old.HasBox()) {
            damage.Add(old.Box());
        }
    };

    // Most frames change no object or a few in place: the lists line up.
    if (before.size() == now.size()) {
        for (size_t i = 0; i < now.size(); ++i) {
            if (before[i].look == now[i].look) {
                now[i] = before[i];
            } else {
                erase(before[i]);
                drawAnew(i);
            }
        }
        return true;
    }

    // Objects came or went. Those on both lists must keep their order, or what
    // lies on top of what has changed where nothing else did.
    std::unordered_map<uint64_t, size_t> oldIndex;
    oldIndex.reserve(before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        if (!oldIndex.emplace(before[i].look, i).second) {
            return false;
        }
    }
    std::vector<bool> kept(before.size(), false);
    bool anyKept = false;
    size_t lastKept = 0;
    for (size_t i = 0; i < now.size(); ++i) {
        const auto found = oldIndex.find(now[i].look);
        if (found == oldIndex.end()) {
            drawAnew(i);
            continue;
        }
        const size_t index = found->second;
        if (kept[index] || (anyKept && index < lastKept)) {
            return false;
        }
        kept[index] = true;
        anyKept = true;
        lastKept = index;
        now[i] = before[index];
    }
    for (size_t i = 0; i < before.size(); ++i) {
        if (!kept[i]) {
            erase(before[i]);
        }
    }
    return true;
}
