#pragma once
// A chain of measurements. While a segment is open only a plain line shows;
// the marks and the length label appear once it is committed.

#include "tools/ToolLine.h"

class ToolMeasurement final : public ToolLine {
  public:
    ToolMeasurement() : ToolLine(ObjectKind::Measurement) {}
};
