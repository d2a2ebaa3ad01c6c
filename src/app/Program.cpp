#include "app/Program.h"

#include "app/HeadlessCommands.h"
#include "app/MainLoop.h"
#include "app/Shutdown.h"
#include "app/Startup.h"
#include "platform/Memory.h"

namespace {

[[noreturn]] void RunWindowProgram(int argc, char** argv) {
    if (StartUp(argc, argv) != 0) {
        ShutdownAndExit(1);
    }
    RunMainLoop();
    RunExitSteps();
    ShutdownAndExit(0);
}

} // namespace

int RunProgram(int argc, char** argv) {
    KeepLargeBlocksMapped();
    if (IsHeadlessCommand(argc, argv)) {
        return RunHeadlessCommand(argc, argv);
    }
    RunWindowProgram(argc, argv);
}
