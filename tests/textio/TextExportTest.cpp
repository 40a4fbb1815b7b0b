#include "textio/TextExport.h"

#include <gtest/gtest.h>

#include "textio/TransferTestSupport.h"

namespace {

const FixedClock kClock{testNow()};
const FixedLocale kLocale;

std::string exported(const PimDocument& doc, TransferKind kind, std::vector<std::string> columns,
                     bool header = true, std::string separator = ",", std::string encloser = "\"") {
    return exportText(kind, doc,
                      transferSpec(false, kind, std::move(columns), header, separator, encloser),
                      kLocale);
}

TEST(TextExport, WritesPersonLinesWithEveryTextColumnsEncloserDoubled) {
    PimDocument doc(kClock);
    // A backslash is written as it is, though the importer reads escapes there.
    Person ann;
    ann.FName = "Ann";
    ann.Company = "Smith \"Tools\"";
    ann.Addr1 = "C:\\temp";
    ann.State = "Ma'am \"x\"";
    ann.Notes = "line 1\r\nline 2";
    doc.add(ann);
    struct Case {
        std::vector<std::string> columns;  // the file keeps the order asked for
        std::string separator, encloser, expected;
    };
    const Case cases[] = {
        {{"Company", "Address1", "LastName", "FirstName"},
         ",",
         "\"",
         "\"Company\",\"Address1\",\"LastName\",\"FirstName\"\n"
         "\"Smith \"\"Tools\"\"\",\"C:\\temp\",,\"Ann\"\n"},
        {{"FirstName", "State", "Notes"},
         "|",
         "'",
         "'FirstName'|'State'|'Notes'\n'Ann'|'Ma''am \"x\"'|'line 1\r\nline 2'\n"},
        {{"FirstName", "State"}, "\t", "", "FirstName\tState\nAnn\tMa'am \"x\"\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(exported(doc, TransferKind::Persons, c.columns, true, c.separator, c.encloser),
                  c.expected);
    }
}

TEST(TextExport, WritesTaskDatesPrioritiesAndAppointmentAlarmMinutes) {
    PimDocument doc(kClock);
    Task done = Task::createdAt(DateTime::fromFields(2026, 1, 9, 17, 45));
    done.Description = "File taxes";
    done.Priority = Task::Done;
    doc.add(done);
    Task undated = Task::createdAt(DateTime());
    undated.Description = "Someday";
    doc.add(undated);
    EXPECT_EQ(exported(doc, TransferKind::Tasks, exportFieldNames(TransferKind::Tasks), false),
              "\"File taxes\",\"1/9/2026\",\"3\"\n\"Someday\",,\"0\"\n");

    const DateTime start = DateTime::fromFields(2026, 12, 7, 14, 30);
    const std::pair<int, const char*> alarms[] = {
        {-1, "\"FALSE\",\"0\""},  // no alarm
        {15, "\"TRUE\",\"15\""},
        {90, "\"TRUE\",\"60\""},
        {-5, "\"TRUE\",\"0\""},  // after the start
    };
    for (const auto& [minutes, expected] : alarms) {
        PimDocument one(kClock);
        Appointment a =
            appointmentAt("Dentist", start, start + DateTimeSpan::fromParts(0, 1, 0, 0));
        a.Alarm = minutes != -1;
        a.AlarmTime = start - DateTimeSpan::fromParts(0, 0, minutes, 0);
        one.add(a);
        EXPECT_EQ(
            exported(one, TransferKind::Appointments, exportFieldNames(TransferKind::Appointments),
                     false),
            std::string("\"Dentist\",\"12/7/2026\",\"2:30 PM\",\"3:30 PM\",") + expected + "\n");
    }
}

}  // namespace
