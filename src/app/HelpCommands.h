#pragma once
// The Help menu: the help page shipped beside the program, and the About screen.

#include <cstdint>
#include <string>

struct MENU_ITEM;

// Where the help page lies inside the shipped resources.
constexpr const char* kHelpPagePath = "help/index.html";
constexpr const char* kHelpPageMissingNotice = "Help page not found!";
constexpr const char* kHelpPageFailedNotice = "Couldn't open the help page!";

// A file:// URL for an absolute path, with every byte outside the unreserved
// set and '/' percent-encoded.
std::string FileUrl(const std::string& absolutePath);

// Help > "Website...": opens the help page in the user's browser (xdg-open).
void OpenHelpPage(uint64_t value, MENU_ITEM* item);
// Help > "About...".
void ShowAboutScreen(uint64_t value, MENU_ITEM* item);
