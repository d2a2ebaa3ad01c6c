#include "tools/ToolPreview.h"

#include "app/AppState.h"
#include "document/Paper.h"
#include "tools/Tool.h"
#include "view/PaperView.h"

void RenderActiveToolPreview(PaperView& view) {
    // Tools draw on the active paper; another paper (an export) gets no preview.
    if (activeToolInstance != nullptr && &view.paper == activePaper) {
        activeToolInstance->Render(view);
    }
}
