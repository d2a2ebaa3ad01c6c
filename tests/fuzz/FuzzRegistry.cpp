// The registry reader over an arbitrary "registry.conf".

#include "support/Registry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string storePath;
std::string storeFolder;

void RemoveStoreFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(storeFolder, ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // A folder of its own, so no user's real store is touched.
    char folder[] = "/tmp/tessellon-fuzz-registry-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::abort();
    }
    storeFolder = folder;
    std::atexit(RemoveStoreFolder);
    setenv("XDG_CONFIG_HOME", folder, 1);
    storePath = GetRegistryFilePath();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Written plainly: a synced, atomic write per input would slow the run
    // down a hundredfold.
    std::ofstream(storePath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::string key = "SOFTWARE\\Velmora\\Tessellon";
    RegistryValue value;
    for (const char* name : {"RecentFile0", "RecentFile1", "RecentFile3", "Count", ""}) {
        if (ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, key, name, value) &&
            value.kind != RegistryKind::Number && value.bytes.size() != value.length) {
            std::abort(); // a value must hold exactly the bytes it claims
        }
    }
    return 0;
}
