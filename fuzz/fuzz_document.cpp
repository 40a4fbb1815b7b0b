// libFuzzer target: loading any bytes either fails cleanly or gives a document whose
// saved text loads back to the very same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentWriter.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A zone without repeated hours, so that every saved date reads back the same.
    setenv("TZ", "UTC0", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FixedClock clock(LocalTime{2026, 12, 6, 10, 30, 0, 0});
    PimDocument document(clock);
    document.seedDefaultGroups();
    const Status loaded =
        loadDocumentBytes(document, std::string_view(reinterpret_cast<const char*>(data), size));
    if (!loaded) {
        // A failed load leaves the document as it was; a syntax error says where.
        if (document.phGroups().size() != 3) __builtin_trap();
        if (loaded.kind() == FailureKind::Syntax && loaded.line() < 1) __builtin_trap();
        return 0;
    }
    const std::string saved = formatDocument(document);
    PimDocument again(clock);
    if (!loadDocumentBytes(again, saved)) __builtin_trap();
    if (formatDocument(again) != saved) __builtin_trap();
    return 0;
}
