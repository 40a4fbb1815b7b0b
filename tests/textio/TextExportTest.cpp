#include "textio/TextExport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "docfile/ScratchDir.h"
#include "platform/FixedLocale.h"
#include "textio/TransferTestSupport.h"

namespace {

class TextExportTest : public ::testing::Test {
protected:
    std::string text(TransferKind kind, const TextTransferSpec& spec, int32_t* count = nullptr) {
        return exportText(kind, doc, spec, locale, count);
    }
    TextTransferSpec allFields(TransferKind kind, std::string separator = ",",
                               std::string encloser = "\"") {
        return transferSpec(false, kind, exportFieldNames(kind), true, std::move(separator),
                            std::move(encloser));
    }

    FixedClock clock{testNow()};
    PimDocument doc{clock};
    FixedLocale locale;
};

TEST_F(TextExportTest, WritesHeaderAndEnclosedValuesWithDoubledEnclosers) {
    Person ann;
    ann.FName = "Ann";
    ann.Company = "Smith \"Tools\"";
    doc.add(ann);
    int32_t count = -1;
    EXPECT_EQ(text(TransferKind::Persons,
                   transferSpec(false, TransferKind::Persons, {"FirstName", "LastName", "Company"}),
                   &count),
              "\"FirstName\",\"LastName\",\"Company\"\n\"Ann\",,\"Smith \"\"Tools\"\"\"\n");
    EXPECT_EQ(count, 1);
}

TEST_F(TextExportTest, DoublesTheEncloserInEveryTextColumn) {
    Person p;
    p.City = "O'Brien";
    p.State = "Ma'am";
    p.Notes = "it's";
    doc.add(p);
    const std::string columns = "City,State,Notes";
    struct Case {
        std::string separator, encloser, expected;
    };
    const Case cases[] = {
        {",", "'", "'City','State','Notes'\n'O''Brien','Ma''am','it''s'\n"},
        {"|", "\"", "\"City\"|\"State\"|\"Notes\"\n\"O'Brien\"|\"Ma'am\"|\"it's\"\n"},
        {";", "", "City;State;Notes\nO'Brien;Ma'am;it's\n"},
        {"\t", "", "City\tState\tNotes\nO'Brien\tMa'am\tit's\n"},
    };
    for (const Case& c : cases) {
        const auto spec = transferSpec(false, TransferKind::Persons, {"City", "State", "Notes"},
                                       true, c.separator, c.encloser);
        EXPECT_EQ(text(TransferKind::Persons, spec), c.expected) << c.encloser << c.separator;
    }
}

TEST_F(TextExportTest, LeavesEmptyValuesOutAndKeepsLineBreaksInsideEnclosers) {
    Person company;
    company.Company = "Acme";
    doc.add(company);
    Person notes;
    notes.LName = "Lee";
    notes.Notes = "line 1\r\nline 2";
    doc.add(notes);
    auto spec = allFields(TransferKind::Persons);
    spec.firstLineHasNames = false;
    EXPECT_EQ(text(TransferKind::Persons, spec), std::string(15, ',') + "\"Acme\",,\n" +
                                                     ",\"Lee\"" + std::string(16, ',') +
                                                     "\"line 1\r\nline 2\"\n");
}

TEST_F(TextExportTest, WritesHeaderInColumnOrderWhateverOrderTheNamesCameIn) {
    Person p;
    p.FName = "Ann";
    p.LName = "Lee";
    doc.add(p);
    EXPECT_EQ(text(TransferKind::Persons,
                   transferSpec(false, TransferKind::Persons, {"LastName", "FirstName"})),
              "\"FirstName\",\"LastName\"\n\"Ann\",\"Lee\"\n");
}

TEST_F(TextExportTest, EmptyCollectionGivesEmptyTextEvenWithHeader) {
    for (const TransferKind kind :
         {TransferKind::Persons, TransferKind::Tasks, TransferKind::Appointments}) {
        int32_t count = -1;
        EXPECT_EQ(text(kind, allFields(kind), &count), "");
        EXPECT_EQ(count, 0);
    }
}

TEST_F(TextExportTest, HeaderNamesAreTheExportFieldList) {
    doc.add(personNamed("x", ""));
    doc.add(Task::createdAt(clock.now()));
    doc.add(Appointment::createdAt(clock.now()));
    for (const TransferKind kind :
         {TransferKind::Persons, TransferKind::Tasks, TransferKind::Appointments}) {
        const std::string all = text(kind, allFields(kind, ",", ""));
        std::string expected;
        for (const std::string& name : exportFieldNames(kind))
            expected += (expected.empty() ? "" : ",") + name;
        EXPECT_EQ(all.substr(0, all.find('\n')), expected);
    }
}

TEST_F(TextExportTest, WritesTaskDatesAndPriorities) {
    Task done = Task::createdAt(DateTime::fromFields(2026, 1, 9, 17, 45));
    done.Description = "File taxes";
    done.Priority = Task::Done;
    doc.add(done);
    Task undated = Task::createdAt(DateTime());
    undated.Description = "Someday";
    undated.Priority = Task::Low;
    doc.add(undated);
    EXPECT_EQ(text(TransferKind::Tasks, allFields(TransferKind::Tasks)),
              "\"Task\",\"DueDate\",\"Priority\"\n\"File taxes\",\"1/9/2026\",\"3\"\n"
              "\"Someday\",,\"2\"\n");
}

TEST_F(TextExportTest, WritesAppointmentTimesAndAlarmMinutes) {
    const DateTime start = DateTime::fromFields(2026, 12, 7, 14, 30);
    struct Case {
        bool alarm;
        DateTime alarmTime;
        const char* expected;  // Alarmed and AlarmTime
    };
    const Case cases[] = {
        {false, start - DateTimeSpan::fromParts(0, 0, 30, 0), "\"FALSE\",\"0\""},
        {true, start - DateTimeSpan::fromParts(0, 0, 15, 0), "\"TRUE\",\"15\""},
        {true, start - DateTimeSpan::fromParts(0, 0, 90, 0), "\"TRUE\",\"60\""},
        {true, start + DateTimeSpan::fromParts(0, 0, 5, 0), "\"TRUE\",\"0\""},
        {true, DateTime(), "\"TRUE\",\"0\""},
    };
    for (const Case& c : cases) {
        PimDocument one(clock);
        Appointment a =
            appointmentAt("Dentist", start, start + DateTimeSpan::fromParts(0, 1, 0, 0));
        a.Alarm = c.alarm;
        a.AlarmTime = c.alarmTime;
        one.add(a);
        auto spec = allFields(TransferKind::Appointments);
        spec.firstLineHasNames = false;
        EXPECT_EQ(
            exportText(TransferKind::Appointments, one, spec, locale),
            std::string("\"Dentist\",\"12/7/2026\",\"2:30 PM\",\"3:30 PM\",") + c.expected + "\n");
    }
}

TEST_F(TextExportTest, FileIsReplacedWholeOrNotAtAll) {
    ScratchDir dir;
    const std::string path = dir.file("out.csv");
    writeBytes(path, std::string(10000, 'x'));
    doc.add(personNamed("", "Lee"));
    auto spec = transferSpec(false, TransferKind::Persons, {"LastName"});
    spec.fileName = path;
    const ExportResult written = ExportPersons(doc, spec, locale);
    EXPECT_TRUE(written.ok()) << written.error;
    EXPECT_EQ(written.records, 1);
    EXPECT_EQ(fileBytes(path), "\"LastName\"\n\"Lee\"\n");

    spec.fileName = dir.file("missing/out.csv");
    const ExportResult failed = ExportTasks(doc, spec, locale);
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.records, 0);
    EXPECT_NE(failed.error.find("missing"), std::string::npos) << failed.error;
}

}  // namespace
