#pragma once

#include <gtest/gtest.h>

#include <string>

#include "exchange/ICalImport.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/ScratchDir.h"
#include "support/Skipped.h"
#include "support/TzGuard.h"

// What the calendar import tests share: calendars written in a line, and the records an
// import adds, one line each.

inline const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};

inline std::string when(DateTime t) {
    return t.format("%Y-%m-%d %H:%M");
}

// One line per record, for comparing with expected files.
inline std::string dump(const PimDocument& doc) {
    std::string out;
    for (const auto& [id, a] : doc.appointments()) {
        out += when(a.StartTime) + " to " + when(a.EndTime);
        if (a.Alarm) out += " alarm " + when(a.AlarmTime);
        out += ": " + a.Description + "\n";
    }
    for (const auto& [id, t] : doc.tasks()) {
        out += "task due " + when(t.DueDate) + " " + Task::priorityName(t.Priority);
        if (t.DoneDate.isValid()) out += " on " + when(t.DoneDate);
        out += ": " + t.Description + "\n";
    }
    return out;
}

// The records `text` adds to an empty document, then what it skipped and noted, by line.
inline std::string outcome(const std::string& text, CalendarParts parts = CalendarParts::Both) {
    PimDocument fresh(kClock);
    const CalendarImportResult result = importICalendarText(fresh, text, parts);
    if (!result.status) return "failed: " + result.status.message();
    std::string out = dump(fresh);
    for (const std::string& skipped : reasonsOf(result.skipped))
        out += "skipped " + skipped + "\n";
    for (const size_t line : linesOf(result.notes))
        out += "note " + std::to_string(line) + "\n";
    return out;
}

inline std::string calendar(const std::string& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

inline std::string event(const std::string& lines, const char* summary = "Meeting") {
    return "BEGIN:VEVENT\r\nUID:" + std::string(summary) + "\r\nSUMMARY:" + summary + "\r\n" +
           lines + "END:VEVENT\r\n";
}

// A row of a table: what a calendar of these entries adds, skips and notes.
struct CalendarRow {
    const char* label;
    std::string body;
    std::string expected;
};

class ICalImportTest : public ::testing::Test {
protected:
    static void expectRows(std::initializer_list<CalendarRow> rows) {
        for (const CalendarRow& row : rows)
            EXPECT_EQ(outcome(calendar(row.body)), row.expected) << row.label;
    }

    TzGuard zone{"Europe/Berlin"};
    PimDocument doc{kClock};
};
