#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ExchangeTexts.h"
#include "exchange/ICalImport.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "support/ProcessGuards.h"
#include "support/ScratchDir.h"
#include "support/Skipped.h"

// What the calendar import tests share: the records an import adds, one line each.

inline std::string when(DateTime t) {
    return t.format("%Y-%m-%d %H:%M");
}

inline std::string alarmText(bool alarm, DateTime at) {
    return alarm ? " alarm " + when(at) : "";
}

// What an appointment holds beyond version 16, in braces: "{all day to 2026-12-26}",
// "{America/New_York FREQ=WEEKLY}".
inline std::string scheduleText(const Schedule& s) {
    std::string text;
    const auto add = [&](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
    if (s.allDay) add("all day");
    if (!s.lastDay.isNull()) add("to " + s.lastDay.format("%Y-%m-%d"));
    if (!s.zone.empty()) add(s.zone);
    if (s.rule) add(s.rule->text());
    return text.empty() ? "" : " {" + text + "}";
}

// One line per record, for comparing with expected files. A series is followed by its
// occurrences from a year back to two years ahead of the clock, indented, six at most; one
// changed alone says its description.
inline std::string dump(const PimDocument& doc) {
    std::string out;
    for (const auto& [id, a] : doc.appointments()) {
        out += when(a.StartTime) + " to " + when(a.EndTime) + alarmText(a.Alarm, a.AlarmTime) +
               ": " + a.Description + scheduleText(a.schedule.get()) + "\n";
        if (!a.repeats()) continue;
        ExpansionBudget budget;
        const auto occurrences = occurrencesStarting(a, DateTime::fromFields(2025, 12, 6),
                                                     DateTime::fromFields(2028, 12, 6), budget, 7);
        for (size_t i = 0; i < occurrences.size(); ++i) {
            const Occurrence& o = occurrences[i];
            out += i == 6 ? "  ...\n"
                          : "  " + when(o.start) + " to " + when(o.end) +
                                alarmText(o.alarm(), o.alarmTime()) +
                                (o.change ? ": " + o.description() : "") + "\n";
        }
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
