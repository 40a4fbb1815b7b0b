#include <gtest/gtest.h>

#include "exchange/CalendarItemPatch.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/Records.h"
#include "support/TzGuard.h"
#include "sync/SyncRecords.h"

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
    EXPECT_EQ(fieldsOf(a)[3], "-3600");

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
    EXPECT_EQ(appointmentOf({"Taxi", "2027-03-14 03:15:00", "2027-03-14 03:15:00", "-2700", ""})
                  .AlarmTime,
              march14(1, 30));
}
