#include "app/Program.h"

// Placeholder until the application shell lands.
int RunProgram(int /*argc*/, char** /*argv*/) {
    return 0;
}
