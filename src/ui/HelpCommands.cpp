#include "ui/HelpCommands.h"

#include "app/AppState.h"
#include "app/StatusNotice.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kUrlOpener = "xdg-open";
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsUrlSafe(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

} // namespace

std::string FileUrl(const std::string& absolutePath) {
    std::string url = "file://";
    for (const char c : absolutePath) {
        if (IsUrlSafe(c)) {
            url += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            url += '%';
            url += kHexDigits[byte >> 4];
            url += kHexDigits[byte & 0x0F];
        }
    }
    return url;
}

void OpenHelpPage(uint64_t, MENU_ITEM*) {
    // The copy beside the program, so the page always matches this version.
    std::error_code error;
    const std::string page =
        std::filesystem::absolute(GetExecutableFolder() + kHelpPagePath, error).string();
    if (!IsReadableFile(page)) {
        ShowStatusNotice(kHelpPageMissingNotice);
        return;
    }
    if (!StartProcessDetached({kUrlOpener, FileUrl(page)})) {
        ShowStatusNotice(kHelpPageFailedNotice);
    }
}

void ShowAboutScreen(uint64_t, MENU_ITEM*) {
    aboutRequested = true;
}
