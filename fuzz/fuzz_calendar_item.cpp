// A server's iCalendar item read into appointments and tasks, our changes patched into it
// and read back: the first four bytes pick the fields we changed (and, in the top two bits,
// whether the calendar takes events and to-dos), the rest is the item. An item that reads
// as one record is patched; each record's schedule goes through sync's text of it and back.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ItemRoundTrip.h"
#include "platform/Clock.h"
#include "sync/ItemCodec.h"
#include "sync/ScheduleField.h"
#include "sync/SyncFields.h"

namespace {

constexpr std::string_view kOurs =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//fuzz//EN\r\n"
    "BEGIN:VEVENT\r\nUID:ours-1\r\nDTSTART:20261207T090000\r\nDTEND:20261207T103000\r\n"
    "SUMMARY:Budget review\\, room 4\r\nRRULE:FREQ=WEEKLY;COUNT=6\r\n"
    "EXDATE:20261214T090000\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\n"
    "DESCRIPTION:x\r\nEND:VALARM\r\nEND:VEVENT\r\n"
    "BEGIN:VTODO\r\nUID:ours-2\r\nSUMMARY:File the report\r\nPRIORITY:2\r\n"
    "DUE;VALUE=DATE:20261210\r\nCOMPLETED:20261209T120000Z\r\nEND:VTODO\r\n"
    "END:VCALENDAR\r\n";

const SyncRecord& oursOf(const ParsedItem& ours, RecordKind kind) {
    for (const ParsedRecord& record : ours.records) {
        if (record.record.kind() == kind) return record.record;
    }
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "Europe/Berlin", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    static const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    static const ParsedItem ours = CalendarCodec(clock).parse(kOurs);
    const uint32_t mask = data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24;
    const CalendarCodec codec(clock, (mask >> 31) == 0, (mask >> 30 & 1) == 0);
    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);

    const ParsedItem item = codec.parse(text);
    for (const ParsedRecord& record : item.records) {
        if (record.record.kind() != RecordKind::Appointment) continue;
        const Schedule& schedule = record.record.appointment().schedule.get();
        const std::string field = scheduleField(schedule);
        Schedule back;
        if (!readScheduleField(field, back) || scheduleField(back) != field) {
            std::fprintf(stderr, "schedule read back otherwise:\n%s--\n%s", field.c_str(),
                         scheduleField(back).c_str());
            std::abort();
        }
        (void)scheduleFieldSummary(scheduleField(schedule));
    }
    if (item.records.size() != 1 || item.recurring) return 0;
    const SyncRecord& read = item.records[0].record;
    checkPatch(codec, text, read, oursOf(ours, read.kind()), mask,
               {"StartTime", "EndTime", kScheduleField}, true);
    return 0;
}
