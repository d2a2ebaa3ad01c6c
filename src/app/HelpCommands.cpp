#include "app/HelpCommands.h"

#include "app/Editor.h"
#include "app/ResourcePath.h"
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

namespace {

// The copy shipped with the program, installed or in the build folder, so the
// page always matches this version; empty when there is none.
std::string FindHelpPage() {
    for (const std::string& folder : ShippedResourceCandidates(GetExecutableFolder())) {
        std::error_code error;
        const std::string page =
            std::filesystem::absolute(folder + "/" + kHelpPagePath, error).string();
        if (!error && IsReadableFile(page)) {
            return page;
        }
    }
    return {};
}

} // namespace

void OpenHelpPage(uint64_t, MENU_ITEM*) {
    const std::string page = FindHelpPage();
    if (page.empty()) {
        ShowStatusNotice(kHelpPageMissingNotice);
        return;
    }
    if (!StartProcessDetached({kUrlOpener, FileUrl(page)})) {
        ShowStatusNotice(kHelpPageFailedNotice);
    }
}

void ShowAboutScreen(uint64_t, MENU_ITEM*) {
    editor->ui.aboutRequested = true;
}
