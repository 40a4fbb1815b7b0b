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

}  // namespace
