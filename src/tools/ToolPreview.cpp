#include "tools/ToolPreview.h"

#include "app/AppState.h"
#include "document/Paper.h"
#include "tools/Tool.h"

void RenderActiveToolPreview(Paper& paper) {
    // Tools draw on the active paper; another paper (an export) gets no preview.
    if (activeToolInstance != nullptr && &paper == activePaper) {
        activeToolInstance->Render();
    }
}
