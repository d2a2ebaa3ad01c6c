#include "app/ActiveTool.h"

#include "app/AppState.h"
#include "tools/Tool.h"

void SetActiveToolInstance(std::unique_ptr<Tool> tool) {
    // The old operation goes before the new one begins, so that the two never
    // see each other's state.
    activeToolInstance.reset();
    activeToolInstance = std::move(tool);
    if (activeToolInstance != nullptr) {
        activeToolInstance->Begin();
    }
}
