#include "app/StatusNotice.h"

#include "app/AppState.h"

#include <algorithm>
#include <ctime>

void ShowStatusNotice(std::string text) {
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
