#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "support/JoinedFields.h"
#include "support/ProcessGuards.h"
#include "sync/ItemCodec.h"

namespace {

// A server item holding events of one UID.
std::string item(std::initializer_list<std::string> events) {
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n";
    for (const std::string& lines : events)
        text += "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:Yoga\r\n" + lines + "END:VEVENT\r\n";
    return text + "END:VCALENDAR\r\n";
}

// A series is one record holding its rule and exceptions, and what we write of it, anew or
// into the server's item, reads back as the same record, so that a sync never takes its own
// upload for a change.
TEST(ItemCodecTest, ASeriesIsOneRecordThatReadsBackAsWritten) {
    const TzGuard zone("Europe/Berlin");
    const FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    const CalendarCodec codec(clock);
    struct Row {
        const char* label;
        std::string text;
        std::string fields;
        bool recurring;  // an occurrence whose series is elsewhere: never written into
    } rows[] = {
        {"a daily series of years", item({"DTSTART:20000101T100000\r\nRRULE:FREQ=DAILY\r\n"}),
         "Yoga|2000-01-01 10:00:00|2000-01-01 10:00:00||rule FREQ=DAILY\n", false},
        {"one occurrence moved, with an alarm of its own, one removed",
         item({"DTSTART:20261207T100000\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n"
               "EXDATE:20261221T100000\r\n",
               "RECURRENCE-ID:20261214T100000\r\nDTSTART:20261215T180000\r\n"
               "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\nEND:VALARM\r\n"}),
         "Yoga|2026-12-07 10:00:00|2026-12-07 10:00:00||rule FREQ=WEEKLY;COUNT=3\n"
         "del 2026-12-21 10:00:00\nchg 2026-12-14 10:00:00|2026-12-15 18:00:00|"
         "2026-12-15 18:00:00|10|Yoga\n",
         false},
        // The removal wins, as the occurrences and the export have it; a day without a
        // start has nothing to remove.
        {"an occurrence both removed and moved, and a day without one removed",
         item({"DTSTART:20261207T100000\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n"
               "EXDATE:20261214T100000\r\nEXDATE;VALUE=DATE:20261209\r\n",
               "RECURRENCE-ID:20261214T100000\r\nDTSTART:20261215T180000\r\n"}),
         "Yoga|2026-12-07 10:00:00|2026-12-07 10:00:00||rule FREQ=WEEKLY;COUNT=3\n"
         "del 2026-12-14 10:00:00\n",
         false},
        // libical drops a carriage return on writing; the reader takes it for a line break.
        {"a carriage return alone in a line, and escaped",
         "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:a\r\nSUMMARY:Yoga\rmats\\rblocks\r\n"
         "DTSTART:20261207T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
         "Yoga\r\nmats\r\nblocks|2026-12-07 10:00:00|2026-12-07 10:00:00||", false},
        {"days", item({"DTSTART;VALUE=DATE:20261224\r\nDTEND;VALUE=DATE:20261227\r\n"}),
         "Yoga|2026-12-24 00:00:00|2026-12-26 23:59:00||allday\nlast 2026-12-26 00:00:00\n", false},
        {"a series of another zone",
         item({"DTSTART;TZID=America/New_York:20261207T100000\r\nRRULE:FREQ=WEEKLY\r\n"}),
         "Yoga|2026-12-07 16:00:00|2026-12-07 16:00:00||zone America/New_York\n"
         "rule FREQ=WEEKLY\n",
         false},
        {"an occurrence of a series the server holds elsewhere",
         item({"RECURRENCE-ID:20261214T100000\r\nDTSTART:20261215T180000\r\n"}),
         "Yoga|2026-12-15 18:00:00|2026-12-15 18:00:00||", true},
    };
    for (const Row& row : rows) {
        const ParsedItem parsed = codec.parse(row.text);
        ASSERT_EQ(std::tuple(parsed.records.size(), parsed.recurring, parsed.error),
                  std::tuple(1ul, row.recurring, std::string()))
            << row.label;
        const SyncRecord& record = parsed.records[0].record;
        EXPECT_EQ(joined(record), row.fields) << row.label;
        if (row.recurring) continue;
        for (const std::string& written :
             {codec.write("", record, allFields(RecordKind::Appointment), "b"),
              codec.write(row.text, record, {}, "a")}) {
            const ParsedItem back = codec.parse(written);
            ASSERT_EQ(back.records.size(), 1u) << row.label << "\n" << written;
            EXPECT_EQ(joined(back.records[0].record), row.fields) << row.label << "\n" << written;
        }
    }
}

// Our start moved, our alarm moved with it; a server's trigger that would not (days of the
// wall clock across Berlin's change of 25 October, a moment) is rewritten, one that would
// is kept as the server wrote it.
TEST(ItemCodecTest, MovedTimesTakeTheServersAlarmAlongAsOursMoved) {
    const TzGuard zone("Europe/Berlin");
    const FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    const CalendarCodec codec(clock);
    const struct {
        const char* trigger;
        const char* written;
    } rows[] = {
        {"TRIGGER:-P3D", "TRIGGER:-PT73H"},
        {"TRIGGER;VALUE=DATE-TIME:20261026T090000Z", "TRIGGER:-PT24H"},
        {"TRIGGER:-PT15M", "TRIGGER:-PT15M"},
    };
    for (const auto& row : rows) {
        const std::string server =
            item({"DTSTART:20261027T100000\r\nDTEND:20261027T110000\r\nBEGIN:VALARM\r\n"
                  "ACTION:DISPLAY\r\nDESCRIPTION:x\r\n" +
                  std::string(row.trigger) + "\r\nEND:VALARM\r\n"});
        const ParsedItem parsed = codec.parse(server);
        ASSERT_EQ(parsed.records.size(), 1u) << row.trigger;
        SyncRecord moved = parsed.records[0].record;
        std::vector<std::string> texts = fieldTexts(moved);
        texts[1] = "2026-12-07 10:00:00";
        texts[2] = "2026-12-07 11:00:00";
        setFieldTexts(moved, texts);
        const std::string written = codec.write(server, moved, {"StartTime", "EndTime"}, "a");
        EXPECT_NE(written.find(std::string(row.written) + "\r\n"), std::string::npos)
            << row.trigger << "\n"
            << written;
        const ParsedItem back = codec.parse(written);
        ASSERT_EQ(back.records.size(), 1u) << row.trigger;
        EXPECT_EQ(joined(back.records[0].record), joined(moved)) << row.trigger;
    }
}

}  // namespace
