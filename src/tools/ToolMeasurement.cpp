#include "tools/ToolMeasurement.h"

#include "tools/ToolRegistry.h"

const ToolRegistrar<ToolMeasurement> kMeasurementRegistration("measurement");
