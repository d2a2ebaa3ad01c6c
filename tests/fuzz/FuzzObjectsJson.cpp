// The clipboard's object reader fed arbitrary text: what it takes is at most
// one paste's worth, and copying those objects again gives the same records.

#include "document/ObjectsJson.h"
#include "document/PaperObject.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PastedObjects pasted =
        ObjectsFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (pasted.records.size() > kMaxPastedObjects || pasted.message.empty()) {
        std::abort();
    }
    std::vector<std::shared_ptr<PaperObject>> objects;
    std::vector<const PaperObject*> copied;
    for (const ObjectRecord& record : pasted.records) {
        objects.push_back(CreateObjectFromRecord(nullptr, record));
        if (objects.back() == nullptr) {
            std::abort();
        }
        copied.push_back(objects.back().get());
    }
    const PastedObjects again = ObjectsFromJson(ObjectsToJson(copied));
    if (again.records.size() != pasted.records.size()) {
        std::abort();
    }
    for (size_t i = 0; i < pasted.records.size(); ++i) {
        if (std::memcmp(again.records[i].bytes, pasted.records[i].bytes, kObjectRecordSize) != 0) {
            std::abort();
        }
    }
    return 0;
}
