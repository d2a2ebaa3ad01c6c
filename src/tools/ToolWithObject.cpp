#include "tools/ToolWithObject.h"

#include "document/Paper.h"
#include "draw/Geometry.h"
#include "tools/ToolSupport.h"

#include <cmath>
#include <cstring>

void ToolWithObject::Begin(const ToolContext& context) {
    // Everything after the kind starts at zero: layer and colour are the
    // paper's to fill in when the object is added.
    std::memset(record.bytes + ObjectRecord::kX1Offset, 0,
                kObjectRecordSize - ObjectRecord::kX1Offset);
    record.SetKind(kind_);
    const SDL_Point start = ToolPoint(context);
    record.SetX1(start.x);
    record.SetY1(start.y);
}

int32_t ToolWithObject::GetLength(const ToolContext& context) const {
    const SDL_Point end = ToolPoint(context);
    const double dx = double(int64_t{end.x} - record.X1());
    const double dy = double(int64_t{end.y} - record.Y1());
    return TruncToInt32(std::sqrt(dy * dy + dx * dx));
}

bool ToolWithObject::Commit(const ToolContext& context) {
    if (context.paper == nullptr) {
        return false;
    }
    return context.paper->CreateAndAddObject(record, OnLayer{context.layer});
}
