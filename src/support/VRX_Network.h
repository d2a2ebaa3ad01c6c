#pragma once

#include <cstdint>
// The platform's network layer, started once for however many users ask for
// it and stopped when the last of them releases it.

// Adds a user; starts the layer for the first one. True when the layer is
// running. Prints "VRX: Error initializing Winsock!" when it cannot start.
bool VRX_NetworkStart();
// Removes a user; stops the layer when none is left. Meant to run at exit.
void VRX_NetworkRelease();
// How many users the layer has, and whether it is running.
int32_t VRX_NetworkUsers();
bool VRX_NetworkRunning();
