#include <gtest/gtest.h>

#include "ExchangeTexts.h"
#include "exchange/CalendarItemPatch.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "records/PimDocument.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"
#include "sync/SyncFields.h"

namespace {

// Whether each line is one of `text`'s.
void expectLines(const std::string& text, std::initializer_list<const char*> lines) {
    for (const char* line : lines)
        EXPECT_NE(text.find(std::string(line) + "\r\n"), std::string::npos) << line << "\n" << text;
}

// New York's clocks go from 02:00 to 03:00 on 14 March 2027: an alarm at 01:00 for a start at
// 03:00 rings one hour before it, and an alarm 45 minutes before 03:15 rings at 01:30.
TEST(AlarmLeadTest, ALeadAcrossAClockChangeIsTheTimeThatPasses) {
    const TzGuard tz("America/New_York");
    Appointment a = appointmentAt("Early flight", at(2027, 3, 14, 3), at(2027, 3, 14, 4));
    a.Alarm = true;
    a.AlarmTime = at(2027, 3, 14, 1);
    PimDocument doc(kClock);
    doc.add(a);
    expectLines(icalendarText(doc, CalendarParts::Appointments), {"TRIGGER:-PT1H"});
    expectLines(patchEvent("", a, {}, "e1"), {"TRIGGER:-PT1H"});
    const SyncField& alarmField = *syncField(RecordKind::Appointment, kAlarmField);
    EXPECT_EQ(alarmField.text(SyncRecord(a)), "-3600");

    PimDocument imported(kClock);
    const CalendarImportResult result = importICalendarText(
        imported, calendar(event("DTSTART:20270314T071500Z\r\n" + alarm("TRIGGER:-PT45M"), "Taxi")),
        CalendarParts::Appointments);
    ASSERT_EQ(result.appointments, 1);
    EXPECT_EQ(imported.appointments().find(1)->AlarmTime, at(2027, 3, 14, 1, 30));
    SyncRecord taxi(appointmentAt("Taxi", at(2027, 3, 14, 3, 15), at(2027, 3, 14, 3, 15)));
    alarmField.setText(taxi, "-2700");
    EXPECT_EQ(taxi.appointment().AlarmTime, at(2027, 3, 14, 1, 30));
}

// Berlin's clocks go from 03:00 back to 02:00 on 26 October 2025: 02:30 is 00:30Z and then
// 01:30Z. An event from the first 02:30 to the second lasts an hour, and an event read at
// the second comes back out at it, its alarm as far before it.
TEST(AlarmLeadTest, TimesInTheHourTheClocksRepeatKeepTheirInstants) {
    const TzGuard tz("Europe/Berlin");
    const DateTime half = at(2025, 10, 26, 2, 30);
    Appointment a = appointmentAt("Night watch", half, half);
    a.Alarm = true;
    a.AlarmTime = at(2025, 10, 26, 2, 15);
    a.laterOfTwo = Appointment::kLaterEnd | Appointment::kLaterAlarm;
    Task t = Task::createdAt(half);
    t.laterOfTwo = Task::kLaterDue;
    PimDocument doc(kClock);
    doc.add(a);
    doc.add(t);
    expectLines(icalendarText(doc, CalendarParts::Both),
                {"DTSTART:20251026T003000Z", "DTEND:20251026T013000Z", "TRIGGER:PT45M",
                 "DUE:20251026T013000Z"});
    expectLines(patchEvent("", a, {}, "e1"), {"DTEND:20251026T013000Z"});

    PimDocument imported(kClock);
    const CalendarImportResult result = importICalendarText(
        imported,
        calendar(event("DTSTART:20251026T013000Z\r\nDTEND:20251026T014500Z\r\n" +
                           alarm("TRIGGER:-PT20M"),
                       "Late") +
                 "BEGIN:VTODO\r\nUID:t2\r\nDUE:20251026T013000Z\r\nSUMMARY:Due\r\nEND:VTODO\r\n"),
        CalendarParts::Both);
    ASSERT_EQ(std::pair(result.appointments, result.tasks), std::pair(1, 1));
    expectLines(icalendarText(imported, CalendarParts::Both),
                {"DTSTART:20251026T013000Z", "DTEND:20251026T014500Z", "TRIGGER:-PT20M",
                 "DUE:20251026T013000Z"});
}

// Berlin's clocks go back on 25 October 2026, New York's on 1 November. A day of a trigger
// is a day of the clock of the time it counts from (23 or 25 hours across a change), and
// a lead is written as the hours that pass, which every reader reads alike.
TEST(AlarmLeadTest, ATriggersDaysAreDaysOfItsClockAndALeadIsWrittenInHours) {
    const TzGuard tz("Europe/Berlin");
    const std::string floating = "DTSTART:20261027T100000\r\nDTEND:20261027T110000\r\n";
    const struct {
        const char* what;
        std::string lines;
        DateTime alarm;
    } reads[] = {
        {"floating", floating + alarm("TRIGGER:-P3D"), at(2026, 10, 24, 10)},
        {"from the end", floating + alarm("TRIGGER;RELATED=END:-P3D"), at(2026, 10, 24, 11)},
        {"read loosely", floating + alarm("TRIGGER:-P3D1H"), at(2026, 10, 24, 9)},
        {"in the start's zone",
         "DTSTART;TZID=America/New_York:20261103T090000\r\n" + alarm("TRIGGER:-P1W"),
         at(2026, 10, 27, 14)},
        {"UTC, whose days all last 24 hours",
         "DTSTART:20261027T090000Z\r\n" + alarm("TRIGGER:-P3DT30M"), at(2026, 10, 24, 10, 30)},
    };
    for (const auto& c : reads) {
        PimDocument doc(kClock);
        importICalendarText(doc, calendar(event(c.lines)), CalendarParts::Appointments);
        const Appointment* read = doc.appointments().find(1);
        ASSERT_NE(read, nullptr) << c.what;
        EXPECT_EQ(read->AlarmTime, c.alarm) << c.what;
    }

    // 73 hours pass from 10:00 on the 24th to 10:00 on the 27th; a series the same.
    Appointment a = appointmentAt("Audit", at(2026, 10, 27, 10), at(2026, 10, 27, 11));
    a.Alarm = true;
    a.AlarmTime = at(2026, 10, 24, 10);
    Appointment weekly = a;
    weekly.schedule.edit().rule = RecurrenceRule::parse("FREQ=WEEKLY").value();
    PimDocument doc(kClock);
    doc.add(a);
    doc.add(weekly);
    const std::string exported = icalendarText(doc, CalendarParts::Appointments);
    const size_t first = exported.find("TRIGGER:-PT73H\r\n");
    EXPECT_NE(first, std::string::npos) << exported;
    EXPECT_NE(exported.find("TRIGGER:-PT73H\r\n", first + 1), std::string::npos) << exported;
    expectLines(patchEvent("", a, {}, "e1"), {"TRIGGER:-PT73H"});
}

}  // namespace
