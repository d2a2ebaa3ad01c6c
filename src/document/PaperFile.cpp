#include "document/Paper.h"

// Placeholder until the file format lands.
bool Paper::Serialize(VRX_Buffer& /*buffer*/, bool /*reading*/) {
    return false;
}
