#include "tools/ToolSupport.h"

#include "document/ObjectRecord.h"
#include "document/Paper.h"
#include "draw/Geometry.h"
#include "tools/ToolContext.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

// Room for any formatted read-out before it is cut to the limit.
constexpr size_t kFormatBufferSize = 256;

} // namespace

SDL_Color CurrentDrawingColor(const Paper& paper) {
    const SDL_Color color = paper.drawColor.a != 0 ? paper.drawColor : paper.palette.objectColor;
    return {color.r, color.g, color.b, SDL_ALPHA_OPAQUE};
}

int32_t ClampToInt16(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT16_MIN, INT16_MAX));
}

SDL_Point ToolPoint(const ToolContext& context) {
    return {ClampToInt16(context.toolPos.x), ClampToInt16(context.toolPos.y)};
}

std::string FormatToolText(const char* format, ...) {
    char buffer[kFormatBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length < 0) {
        return {};
    }
    const size_t written = std::min(static_cast<size_t>(length), sizeof buffer - 1);
    return std::string(buffer, Utf8PrefixLength(buffer, written, kToolTextLimit));
}

SDL_Point SelectionDragOffset(const Paper& paper, bool gridLock, SDL_Point anchor,
                              SDL_Point gridPos, SDL_Point paperPos) {
    if (gridLock) {
        return {static_cast<int32_t>(int64_t{WrapSub(gridPos.x, anchor.x)} * paper.blockWidth),
                static_cast<int32_t>(int64_t{WrapSub(gridPos.y, anchor.y)} * paper.blockHeight)};
    }
    return {WrapSub(paperPos.x, anchor.x), WrapSub(paperPos.y, anchor.y)};
}
