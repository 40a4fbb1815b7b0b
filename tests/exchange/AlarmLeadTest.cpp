#include <gtest/gtest.h>

#include "exchange/CalendarItemPatch.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/Records.h"
#include "support/TzGuard.h"
#include "sync/SyncFields.h"

namespace {

const FixedClock kClock{LocalTime{2027, 3, 1, 10, 0, 0, 0}};

DateTime march14(int hour, int minute = 0) {
    return DateTime::fromFields(2027, 3, 14, hour, minute);
}

}  // namespace

// New York's clocks go from 02:00 to 03:00 on 14 March 2027: an alarm at 01:00 for a start at
// 03:00 rings one hour before it, and an alarm 45 minutes before 03:15 rings at 01:30.
TEST(AlarmLeadTest, ALeadAcrossAClockChangeIsTheTimeThatPasses) {
    const TzGuard tz("America/New_York");
    Appointment a = appointmentAt("Early flight", march14(3), march14(4));
    a.Alarm = true;
    a.AlarmTime = march14(1);
    PimDocument doc(kClock);
    doc.add(a);
    const std::string exported = icalendarText(doc, CalendarParts::Appointments);
    EXPECT_NE(exported.find("TRIGGER:-PT1H\r\n"), std::string::npos) << exported;
    const std::string uploaded = patchEvent("", a, {}, "e1");
    EXPECT_NE(uploaded.find("TRIGGER:-PT1H\r\n"), std::string::npos) << uploaded;
    const SyncField& alarm = *syncField(RecordKind::Appointment, kAlarmField);
    EXPECT_EQ(alarm.text(SyncRecord(a)), "-3600");

    PimDocument imported(kClock);
    const CalendarImportResult result = importICalendarText(
        imported,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//y//EN\r\nBEGIN:VEVENT\r\nUID:e2\r\n"
        "DTSTAMP:20270101T000000Z\r\nDTSTART:20270314T071500Z\r\nSUMMARY:Taxi\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Taxi\r\nTRIGGER:-PT45M\r\nEND:VALARM\r\n"
        "END:VEVENT\r\nEND:VCALENDAR\r\n",
        CalendarParts::Appointments);
    ASSERT_EQ(result.appointments, 1);
    EXPECT_EQ(imported.appointments().find(1)->AlarmTime, march14(1, 30));
    SyncRecord taxi(appointmentAt("Taxi", march14(3, 15), march14(3, 15)));
    alarm.setText(taxi, "-2700");
    EXPECT_EQ(taxi.appointment().AlarmTime, march14(1, 30));
}

namespace {

bool has(const std::string& text, const std::string& line) {
    return text.find(line + "\r\n") != std::string::npos;
}

}  // namespace

// Berlin's clocks go from 03:00 back to 02:00 on 26 October 2025: 02:30 is 00:30Z and then
// 01:30Z. An event from the first 02:30 to the second lasts an hour, and an event read at
// the second comes back out at it, its alarm as far before it.
TEST(AlarmLeadTest, TimesInTheHourTheClocksRepeatKeepTheirInstants) {
    const TzGuard tz("Europe/Berlin");
    const DateTime half = DateTime::fromFields(2025, 10, 26, 2, 30);
    Appointment a = appointmentAt("Night watch", half, half);
    a.laterOfTwo = Appointment::kLaterEnd;
    a.Alarm = true;
    a.AlarmTime = DateTime::fromFields(2025, 10, 26, 2, 15);
    a.laterOfTwo |= Appointment::kLaterAlarm;
    Task t = Task::createdAt(half);
    t.laterOfTwo = Task::kLaterDue;
    PimDocument doc(kClock);
    doc.add(a);
    doc.add(t);
    const std::string exported = icalendarText(doc, CalendarParts::Both);
    for (const char* line : {"DTSTART:20251026T003000Z", "DTEND:20251026T013000Z", "TRIGGER:PT45M",
                             "DUE:20251026T013000Z"})
        EXPECT_TRUE(has(exported, line)) << line << "\n" << exported;
    const std::string uploaded = patchEvent("", a, {}, "e1");
    EXPECT_TRUE(has(uploaded, "DTEND:20251026T013000Z")) << uploaded;

    PimDocument imported(kClock);
    const CalendarImportResult result = importICalendarText(
        imported,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//y//EN\r\nBEGIN:VEVENT\r\nUID:e2\r\n"
        "DTSTAMP:20250101T000000Z\r\nDTSTART:20251026T013000Z\r\nDTEND:20251026T014500Z\r\n"
        "SUMMARY:Late\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Late\r\n"
        "TRIGGER:-PT20M\r\nEND:VALARM\r\nEND:VEVENT\r\nBEGIN:VTODO\r\nUID:t2\r\n"
        "DTSTAMP:20250101T000000Z\r\nDUE:20251026T013000Z\r\nSUMMARY:Due\r\nEND:VTODO\r\n"
        "END:VCALENDAR\r\n",
        CalendarParts::Both);
    ASSERT_EQ(result.appointments, 1);
    ASSERT_EQ(result.tasks, 1);
    const std::string again = icalendarText(imported, CalendarParts::Both);
    for (const char* line : {"DTSTART:20251026T013000Z", "DTEND:20251026T014500Z", "TRIGGER:-PT20M",
                             "DUE:20251026T013000Z"})
        EXPECT_TRUE(has(again, line)) << line << "\n" << again;
}
