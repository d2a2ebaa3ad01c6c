#include "app/HeadlessCommands.h"

// Placeholder until the document commands land.
bool IsHeadlessCommand(int /*argc*/, char** /*argv*/) {
    return false;
}

int RunHeadlessCommand(int /*argc*/, char** /*argv*/) {
    return 2;
}
