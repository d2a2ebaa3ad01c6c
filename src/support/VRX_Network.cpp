#include "support/VRX_Network.h"

#include "support/VRX_Mutex.h"
#include "support/VRX_Strings.h"

namespace {

// Sockets need no start-up or shut-down on Linux; these are where a port to a
// system that needs them would do it.
bool StartPlatformNetwork() {
    return true;
}

void StopPlatformNetwork() {}

// How many users the layer has, and whether it runs. They last as long as
// the process: the layer is shared by everything in it.
VRX_Mutex_Win32Mutex networkLock(kVrxLockTimeoutMs);
int32_t networkReferenceCount = 0;
bool networkInitialised = false;

} // namespace

bool VRX_NetworkStart() {
    VRX_ScopedLock hold(&networkLock);
    networkReferenceCount += 1;
    if (networkReferenceCount > 1) {
        return networkInitialised;
    }
    networkInitialised = StartPlatformNetwork();
    if (!networkInitialised) {
        PrintLine("VRX: Error initializing Winsock!\n");
    }
    return networkInitialised;
}

void VRX_NetworkRelease() {
    VRX_ScopedLock hold(&networkLock);
    const int32_t before = networkReferenceCount;
    if (before > 0) {
        networkReferenceCount -= 1;
    }
    if (before <= 1 && networkInitialised) {
        StopPlatformNetwork();
        networkInitialised = false;
    }
}

int32_t VRX_NetworkUsers() {
    VRX_ScopedLock hold(&networkLock);
    return networkReferenceCount;
}

bool VRX_NetworkRunning() {
    VRX_ScopedLock hold(&networkLock);
    return networkInitialised;
}
