// Feeds arbitrary bytes to the iCalendar importer (through libical), then writes what was
// added and imports that again: the appointments and tasks must come back the same, a
// series as the same occurrences (its times may come back in another form: a series in
// local time in the local zone, an UNTIL in UTC). A record that came without a UID comes
// back with the one its export made for it. The round trip is
// checked on imports of up to kRoundTripLimit records: more is more of the same, and the
// check alone would then take longer than the import it checks.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "platform/Clock.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"

constexpr size_t kRoundTripLimit = 2000;
constexpr size_t kOccurrencesCompared = 50;

// What a reader sees of a series: its first occurrences.
static std::vector<Occurrence> seen(const Appointment& series) {
    ExpansionBudget budget;
    return occurrencesStarting(series, DateTime(DateTime::kMinValue), DateTime(DateTime::kMaxValue),
                               budget, kOccurrencesCompared);
}

static bool sameOccurrences(const Appointment& a, const Appointment& b) {
    const std::vector<Occurrence> x = seen(a), y = seen(b);
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i].start != y[i].start || x[i].end != y[i].end ||
            x[i].description() != y[i].description() || x[i].alarm() != y[i].alarm() ||
            (x[i].alarm() && x[i].alarmTime() != y[i].alarmTime()))
            return false;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PimDocument first(clock);
    (void)importICalendarText(first, bytes, CalendarParts::Both);
    if (first.appointments().size() + first.tasks().size() > kRoundTripLimit) return 0;
    const std::string text = icalendarText(first, CalendarParts::Both);
    PimDocument second(clock);
    (void)importICalendarText(second, text, CalendarParts::Both);
    if (second.tasks().size() != first.tasks().size() ||
        second.appointments().size() != first.appointments().size())
        std::abort();
    for (const auto& [id, t] : first.tasks()) {
        const Task* back = second.tasks().find(id);
        if (back == nullptr) std::abort();
        Task expected = t;
        if (expected.uid.empty()) expected.uid = back->uid;
        if (!(*back == expected)) std::abort();
    }
    for (const auto& [id, a] : first.appointments()) {
        const Appointment& back = *second.appointments().find(id);
        if (a.repeats() || back.repeats()) {
            if (!sameOccurrences(a, back)) std::abort();
            continue;
        }
        Appointment expected = a;
        if (!expected.Alarm) expected.AlarmTime = expected.StartTime;
        if (expected.uid.empty()) expected.uid = back.uid;
        if (!(back == expected)) std::abort();
    }
    return 0;
}
