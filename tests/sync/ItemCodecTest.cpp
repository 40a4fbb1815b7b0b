#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "support/TzGuard.h"
#include "sync/ItemCodec.h"

namespace {

// A server item holding events of one UID.
std::string item(std::initializer_list<std::string> events) {
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n";
    for (const std::string& lines : events)
        text += "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:Yoga\r\n" + lines + "END:VEVENT\r\n";
    return text + "END:VCALENDAR\r\n";
}

// Sync compares records, so a series reaches it as each of its occurrences from a year back
// to two years ahead, and days as version 16 holds them.
TEST(ItemCodecTest, ASeriesIsEachOccurrenceOfTheWindow) {
    const TzGuard zone("Europe/Berlin");
    const FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    const CalendarCodec codec(clock);
    struct Row {
        const char* label;
        std::string text;
        size_t records;
        std::string first, last;  // the fields of the first and the last record
        bool recurring;
        std::string error;
    } rows[] = {
        {"a daily series of years", item({"DTSTART:20000101T100000\r\nRRULE:FREQ=DAILY\r\n"}), 1096,
         "Yoga|2025-12-07 10:00:00|2025-12-07 10:00:00|",
         "Yoga|2028-12-06 10:00:00|2028-12-06 10:00:00|", true, ""},
        {"one occurrence moved, with an alarm of its own",
         item({"DTSTART:20261207T100000\r\nRRULE:FREQ=WEEKLY;COUNT=2\r\n",
               "RECURRENCE-ID:20261214T100000\r\nDTSTART:20261215T180000\r\n"
               "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\nEND:VALARM\r\n"}),
         2, "Yoga|2026-12-07 10:00:00|2026-12-07 10:00:00|",
         "Yoga|2026-12-15 18:00:00|2026-12-15 18:00:00|-600", true, ""},
        {"days", item({"DTSTART;VALUE=DATE:20261224\r\nDTEND;VALUE=DATE:20261227\r\n"}), 1,
         "Yoga|2026-12-24 00:00:00|2026-12-26 23:59:00|",
         "Yoga|2026-12-24 00:00:00|2026-12-26 23:59:00|", false, ""},
        {"an occurrence of a series the server holds elsewhere",
         item({"RECURRENCE-ID:20261214T100000\r\nDTSTART:20261215T180000\r\n"}), 1,
         "Yoga|2026-12-15 18:00:00|2026-12-15 18:00:00|",
         "Yoga|2026-12-15 18:00:00|2026-12-15 18:00:00|", true, ""},
        {"a series before the window",
         item({"DTSTART:20001207T100000\r\nRRULE:FREQ=YEARLY;COUNT=3\r\n"}), 0, "", "", false,
         "no occurrence from a year ago to two years ahead"},
        {"a series every minute", item({"DTSTART:20261207T100000\r\nRRULE:FREQ=MINUTELY\r\n"}), 0,
         "", "", false, "repeats too often to expand"},
    };
    const auto fields = [](const ParsedRecord& record) {
        std::string text;
        for (const std::string& field : record.fields)
            text += (text.empty() ? "" : "|") + field;
        return text;
    };
    for (const Row& row : rows) {
        const ParsedItem parsed = codec.parse(row.text);
        EXPECT_EQ(std::tuple(parsed.records.size(), parsed.recurring, parsed.error),
                  std::tuple(row.records, row.recurring, row.error))
            << row.label;
        if (parsed.records.empty() || row.records == 0) continue;
        EXPECT_EQ(fields(parsed.records.front()), row.first) << row.label;
        EXPECT_EQ(fields(parsed.records.back()), row.last) << row.label;
    }
}

}  // namespace
