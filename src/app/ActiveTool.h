#pragma once
// The one drawing operation in progress.

#include <memory>

class Tool;

// Makes `tool` (may be null) the operation in progress: the previous one is
// destroyed first, then the new one is begun.
void SetActiveToolInstance(std::unique_ptr<Tool> tool);
