// The INI reader and the text the writer makes, fed arbitrary settings text.

#include "support/VRX_Ini.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string ini(reinterpret_cast<const char*>(data), size);
    char buffer[64];
    IniGetString(ini, "window", "last_w", buffer, sizeof buffer, "none");
    IniGetInt(ini, "window", "last_x", -1);
    std::string value;
    IniFindValue(ini, "window", "last_h", value);
    IniTextIsSound(ini);

    // A value set in any text is the one read back from the result.
    const std::string written = IniSetValueInText(ini, "window", "last_w", "1234");
    if (IniGetInt(written, "window", "last_w", -1) != 1234) {
        std::abort();
    }
    return 0;
}
