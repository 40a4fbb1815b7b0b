// Feeds arbitrary bytes to the vCard importer, then writes what was added as vCard 3.0 or 4.0
// (the first byte picks) and imports that again: the persons must come back the same, one
// that came without a UID with the one its export made for it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const VCardVersion version = (data[0] & 1) ? VCardVersion::V4 : VCardVersion::V3;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    PimDocument first(clock);
    first.seedDefaultGroups();
    (void)importVCardText(first, bytes);
    const std::string text = vcardText(first, version, std::nullopt);
    PimDocument second(clock);
    second.seedDefaultGroups();
    (void)importVCardText(second, text);
    if (second.persons().size() != first.persons().size() ||
        !(second.phGroups() == first.phGroups()))
        std::abort();
    for (const auto& [id, person] : first.persons()) {
        const Person* back = second.persons().find(id);
        if (back == nullptr) std::abort();
        Person expected = person;
        if (expected.uid.empty()) expected.uid = back->uid;
        if (!(*back == expected)) std::abort();
    }
    return 0;
}
