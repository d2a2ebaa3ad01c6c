#include "app/StatusNotice.h"

#include "app/AppState.h"
#include "support/Utf8Text.h"

#include <algorithm>
#include <ctime>

void ShowStatusNotice(std::string text) {
    // A notice may name a file or a text: cut it between characters, never
    // inside one, or the status line would show a broken glyph.
    CutUtf8(text, sizeof statusNotice - 1);
    text.copy(statusNotice, sizeof statusNotice - 1);
    statusNotice[std::min(text.size(), sizeof statusNotice - 1)] = '\0';
    statusNoticeExpiry = static_cast<int64_t>(std::time(nullptr)) + kStatusNoticeSeconds;
}

std::string CurrentStatusNotice(int64_t now) {
    if (now < statusNoticeExpiry && statusNotice[0] != '\0') {
        return statusNotice;
    }
    return {};
}
