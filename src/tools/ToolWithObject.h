#pragma once
// A tool that builds one paper object in its record and hands it to the paper
// when the gesture ends.

#include "document/ObjectRecord.h"
#include "tools/Tool.h"

#include <cstdint>

class ToolWithObject : public Tool {
  public:
    // Clears the record, sets the tool's kind and puts the first point at the
    // tool position.
    void Begin(const ToolContext& context) override;
    // The distance from the first point to the tool position, in whole pixels.
    virtual int32_t GetLength(const ToolContext& context) const;

    ObjectRecord record;

  protected:
    explicit ToolWithObject(ObjectKind kind) : kind_(kind) {}
    // Adds the record to the context's paper as a new object on its layer,
    // with the custom drawing colour if one is chosen.
    bool Commit(const ToolContext& context);

  private:
    ObjectKind kind_;
};
