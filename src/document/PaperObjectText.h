#pragma once
// One line of text, turned clockwise about its top-left corner. The rendered
// text is kept as a texture of the paper's renderer until its colour or the
// renderer changes.

#include "document/PaperObject.h"

#include <cstring>

struct SDL_Texture;

class PaperObjectText final : public PaperObject {
  public:
    // Keeps at most 63 bytes of the record's text.
    PaperObjectText(Paper* owner, const ObjectRecord& record);
    ~PaperObjectText() override;

    ObjectPoints GetRect() const override;
    void ReleaseCache() override;
    void Draw(SDL_Color color) override;
    void AddEditFields(std::set<int32_t>& fields) const override;
    bool HasSecondPoint(int32_t dx, int32_t dy) const override;
    bool HitTest(const SDL_Rect& rect) const override;
    double DrawnDistance(SDL_Point point) const override;
    PixelBox GetDrawBox() const override;

    // The text's size in pixels: the cached texture's, else as measured in `drawFont`.
    SDL_Point TextSize() const;
    bool HasCachedTexture() const { return texture_ != nullptr; }

  private:
    // The box's corners A (origin), B (below A), C (right of A), D (opposite A),
    // each turned about A.
    struct Corners {
        SDL_Point a, b, c, d;
    };
    Corners RotatedCorners() const;

    SDL_Texture* texture_ = nullptr;
    int32_t textureWidth_ = 0;
    int32_t textureHeight_ = 0;
    uint32_t textureColor_ = 0;

    // Measuring without a texture is kept for the same text and font.
    mutable bool measured_ = false;
    mutable const void* measuredFont_ = nullptr;
    mutable uint8_t measuredText_[ObjectRecord::kTextFieldSize] = {};
    mutable SDL_Point measuredSize_ = {0, 0};
};
