// Feeds arbitrary bytes to the iCalendar importer (through libical), then writes what was
// added and imports that again: the appointments and tasks must come back the same. The
// round trip is checked on imports of up to kRoundTripLimit records: more is more of the
// same, and the check alone would then take longer than the import it checks.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

constexpr size_t kRoundTripLimit = 2000;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PimDocument first(clock);
    (void)importICalendarText(first, bytes, CalendarParts::Both);
    if (first.appointments().size() + first.tasks().size() > kRoundTripLimit) return 0;
    const std::string text = icalendarText(first, CalendarParts::Both);
    PimDocument second(clock);
    (void)importICalendarText(second, text, CalendarParts::Both);
    if (!(second.tasks() == first.tasks()) ||
        second.appointments().size() != first.appointments().size())
        std::abort();
    for (const auto& [id, a] : first.appointments()) {
        Appointment expected = a;
        if (!expected.Alarm) expected.AlarmTime = expected.StartTime;
        if (!(*second.appointments().find(id) == expected)) std::abort();
    }
    return 0;
}
