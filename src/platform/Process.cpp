#include "platform/Process.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Shells report a child killed by a signal the same way.
constexpr int kSignalStatusBase = 128;

// posix_spawn wants mutable C strings; they point into `argv`, which outlives the call.
std::vector<char*> MakeArgumentArray(const std::vector<std::string>& argv) {
    std::vector<char*> array;
    array.reserve(argv.size() + 1);
    for (const std::string& argument : argv) {
        array.push_back(const_cast<char*>(argument.c_str()));
    }
    array.push_back(nullptr);
    return array;
}

bool Spawn(const std::vector<std::string>& argv, bool ownSession, pid_t& pid) {
    if (argv.empty() || argv.front().empty()) {
        return false;
    }
    std::vector<char*> array = MakeArgumentArray(argv);
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return false;
    }
    if (ownSession) {
        // A viewer started for the user should outlive the program's terminal.
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    }
    // glibc reports a program that cannot be executed as a spawn error, so a
    // missing program is "not started" rather than a child exiting with 127.
    const int error = posix_spawnp(&pid, array[0], nullptr, &attributes, array.data(), environ);
    posix_spawnattr_destroy(&attributes);
    return error == 0;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return kSignalStatusBase + WTERMSIG(status);
    }
    return -1;
}

} // namespace

ProcessResult RunProcessAndWait(const std::vector<std::string>& argv) {
    ProcessResult result;
    pid_t pid = 0;
    if (!Spawn(argv, false, pid)) {
        return result;
    }
    result.started = true;
    result.exitStatus = WaitForExit(pid);
    return result;
}

bool StartProcessDetached(const std::vector<std::string>& argv) {
    pid_t pid = 0;
    if (!Spawn(argv, true, pid)) {
        return false;
    }
    // A thread per child waits for that child alone, so it never takes the exit
    // status of a process someone else is waiting for. Without the thread the
    // child would stay a zombie until the program ends, nothing worse.
    try {
        std::thread([pid] { WaitForExit(pid); }).detach();
    } catch (const std::system_error&) {
    }
    return true;
}
