#include "app/StatusNotice.h"

#include "app/Editor.h"
#include "support/Utf8Text.h"

#include <algorithm>
#include <ctime>

void ShowStatusNotice(std::string text) {
    // A notice may name a file or a text: cut it between characters, never
    // inside one, or the status line would show a broken glyph.
    CutUtf8(text, sizeof editor->ui.statusNotice - 1);
    text.copy(editor->ui.statusNotice, sizeof editor->ui.statusNotice - 1);
    editor->ui.statusNotice[std::min(text.size(), sizeof editor->ui.statusNotice - 1)] = '\0';
    editor->ui.statusNoticeExpiry = static_cast<int64_t>(std::time(nullptr)) + kStatusNoticeSeconds;
}

std::string CurrentStatusNotice(int64_t now) {
    if (now < editor->ui.statusNoticeExpiry && editor->ui.statusNotice[0] != '\0') {
        return editor->ui.statusNotice;
    }
    return {};
}
