#include <gtest/gtest.h>

#include "records/RecordFields.h"
#include "support/SeriesRecords.h"
#include "textio/ImportReport.h"
#include "textio/TextExport.h"
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
    ann.setFName("Ann");
    ann.setCompany("Smith \"Tools\"");
    ann.setAddr1("C:\\temp");
    ann.setState("Ma'am \"x\"");
    ann.setNotes("line 1\r\nline 2");
    doc.add(ann);
    // The columns (the file keeps the order asked for), separator, encloser and the text.
    const std::tuple<std::vector<std::string>, std::string, std::string, std::string> cases[] = {
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
    for (const auto& [columns, separator, encloser, expected] : cases)
        EXPECT_EQ(exported(doc, TransferKind::Persons, columns, true, separator, encloser),
                  expected);
}

TEST(TextExport, WritesTaskDatesPrioritiesAndAppointmentAlarmMinutes) {
    PimDocument doc(kClock);
    doc.add(taskDue("File taxes", DateTime::fromFields(2026, 1, 9, 17, 45), Task::Done));
    doc.add(taskDue("Someday", DateTime()));
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
            appointmentAt("Dentist", start, start + DateTimeSpan::fromParts(0, 1, 0, 0), minutes);
        a.Alarm = minutes != -1;
        one.add(a);
        EXPECT_EQ(
            exported(one, TransferKind::Appointments, exportFieldNames(TransferKind::Appointments),
                     false),
            std::string("\"Dentist\",\"12/7/2026\",\"2:30 PM\",\"3:30 PM\",") + expected + "\n");
    }
}

TEST(TextExport, WritesARepeatingAppointmentAsItsOccurrencesAndSaysOverWhichDays) {
    PimDocument doc(kClock);
    const auto day = [](int year, int month, int dayOfMonth, int hour = 0) {
        return DateTime::fromFields(year, month, dayOfMonth, hour, 0);
    };
    doc.add(appointmentAt("Dentist", day(2026, 12, 7, 14), day(2026, 12, 7, 15)));
    const auto spec = transferSpec(false, TransferKind::Appointments,
                                   exportFieldNames(TransferKind::Appointments), false);
    std::string note = "stale";
    int32_t records = 0;
    (void)exportText(TransferKind::Appointments, doc, spec, kLocale, &records, &note);
    EXPECT_EQ(note, "") << "nothing repeats";

    // Yearly whole days since 2020: the three of the year before today to two years after.
    doc.add(repeating(wholeDays("Birthday", day(2020, 12, 20), day(2020, 12, 20)), "FREQ=YEARLY"));
    doc.add(repeating(appointmentAt("Course", day(2026, 12, 8, 9), day(2026, 12, 8, 10), 10),
                      "FREQ=WEEKLY;COUNT=2"));
    doc.add(wholeDays("Fair", day(2026, 12, 1), day(2026, 12, 3)));  // stays one record
    EXPECT_EQ(exportText(TransferKind::Appointments, doc, spec, kLocale, &records, &note),
              "\"Dentist\",\"12/7/2026\",\"2:00 PM\",\"3:00 PM\",\"FALSE\",\"0\"\n"
              "\"Birthday\",\"12/20/2025\",\"12:00 AM\",\"11:59 PM\",\"FALSE\",\"0\"\n"
              "\"Birthday\",\"12/20/2026\",\"12:00 AM\",\"11:59 PM\",\"FALSE\",\"0\"\n"
              "\"Birthday\",\"12/20/2027\",\"12:00 AM\",\"11:59 PM\",\"FALSE\",\"0\"\n"
              "\"Course\",\"12/8/2026\",\"9:00 AM\",\"10:00 AM\",\"TRUE\",\"10\"\n"
              "\"Course\",\"12/15/2026\",\"9:00 AM\",\"10:00 AM\",\"TRUE\",\"10\"\n"
              "\"Fair\",\"12/1/2026\",\"12:00 AM\",\"11:59 PM\",\"FALSE\",\"0\"\n");
    EXPECT_EQ(records, 7);
    EXPECT_EQ(note,
              "Repeating appointments were written as their occurrences from 12/6/2025 to "
              "12/5/2028.");
}

template <class Record>
void expectDescribed(const std::vector<std::string>& names) {
    // The groups a person is filed in are no text of the person; the import files them.
    for (const std::string& name : names)
        EXPECT_TRUE(name == "Categories" || fieldByTextName<Record>(name))
            << name << " has no field";
}

// Export and the person import read and write through the field tables by these names,
// so a name the wizard lists without a field would silently drop a column.
TEST(TransferFields, EveryListedFieldIsDescribed) {
    expectDescribed<Person>(exportFieldNames(TransferKind::Persons));
    expectDescribed<Person>(importFieldNames(TransferKind::Persons));
    expectDescribed<Task>(exportFieldNames(TransferKind::Tasks));
    expectDescribed<Appointment>(exportFieldNames(TransferKind::Appointments));
}

// The report's text, then its skipped lines, one a line; "failed: " before a failure.
std::string shown(const ImportTally& tally) {
    const ImportReport report = reportImport(tally);
    std::string out = (report.failed ? "failed: " : "") + report.text + "\n";
    for (const std::string& line : report.skippedLines)
        out += line + "\n";
    return out;
}

TEST(ImportReport, SaysWhatWasAddedAndSkippedOrWhyTheFileFailed) {
    EXPECT_EQ(shown(delimitedTally(TransferKind::Persons, {}, "in.csv")),
              "0 names added to current database.\n");
    ImportTally tasks = delimitedTally(TransferKind::Tasks, {}, "in.csv");
    tasks.added = {"1 tasks"};
    tasks.skipped = {{3, "no task"}, {9, "no task"}};
    EXPECT_EQ(shown(tasks),
              "1 tasks added to current database, 2 lines skipped.\n"
              "in.csv:3: skipped: no task\nin.csv:9: skipped: no task\n");
    ImportTally more;
    more.added = {"2 appointments", "1 tasks"};
    more.alsoAdded = {"2 groups"};
    more.note = "the rest later";
    more.skipped = {{3, "no task"}};
    EXPECT_EQ(shown(more),
              "2 appointments and 1 tasks added to current database, 1 record skipped, 2 groups "
              "added; the rest later.\nskipped: no task\n");
    tasks.status = Status::failure(FailureKind::Read, "", "No such file or directory");
    EXPECT_EQ(shown(tasks), "failed: in.csv: No such file or directory\n");
}

}  // namespace
