#include <gtest/gtest.h>

#include <filesystem>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "platform/qt/QtLocale.h"
#include "records/PimDocument.h"
#include "support/CliRun.h"
#include "support/ScratchDir.h"
#include "support/TzGuard.h"

namespace {

// Runs the program at a fixed moment.
CliRun run(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), {"--now", "2026-12-06 10:00"});
    return runCliCaptured(args, input);
}

class ExchangeCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
        PimDocument document(clock);
        document.seedDefaultGroups();
        document.add(PhGroup{0, "Friends"});
        Person ann;
        ann.FName = "Ann";
        ann.LName = "Lee";
        ann.RName = ann.displayName();
        ann.PhGroups = {4, 1};
        document.add(ann);
        Person bo;
        bo.Company = "Bo's Bikes";
        bo.PhGroups = {1};
        document.add(bo);
        Appointment dentist = Appointment::createdAt(DateTime::fromFields(2026, 12, 8, 9, 0));
        dentist.Description = "Dentist";
        dentist.EndTime = DateTime::fromFields(2026, 12, 8, 9, 30);
        document.add(dentist);
        Task task = Task::createdAt(DateTime::fromFields(2026, 12, 24));
        task.Description = "Wrap gifts";
        task.Priority = Task::Low;
        document.add(task);
        ASSERT_TRUE(saveDocument(document, doc));
    }

    TzGuard zone{"UTC"};
    ScratchDir dir;
    const std::string doc = dir.file("home.pgr");
    const std::string other = dir.file("other.pgr");
};

TEST_F(ExchangeCommandsTest, ExportsInTheFormatTheExtensionOrOptionNames) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {{"persons", "out.vcf"},
         {"VERSION:3.0", "FN:Ann Lee", "CATEGORIES:Friends", "FN:Bo's Bikes"},
         {}},
        {{"persons", "OUT.VCF", "--vcard", "4", "--group", "Friends"},
         {"VERSION:4.0", "FN:Ann Lee"},
         {"Bo"}},
        {{"persons", "out.txt", "--format", "vcard"}, {"BEGIN:VCARD"}, {}},
        {{"calendar", "out.ics"}, {"SUMMARY:Dentist", "SUMMARY:Wrap gifts", "PRIORITY:9"}, {}},
        {{"appointments", "out.ical"}, {"BEGIN:VEVENT"}, {"VTODO"}},
        {{"tasks", "out.ics"}, {"BEGIN:VTODO"}, {"VEVENT"}},
    };
    for (const Case& c : cases) {
        const std::string out = dir.file(c.args[1]);
        std::vector<std::string> args = {"export", c.args[0], doc, out};
        args.insert(args.end(), c.args.begin() + 2, c.args.end());
        const CliRun result = run(args);
        EXPECT_EQ(result.code, 0) << result.err;
        EXPECT_EQ(result.out, "");
        const std::string text = fileBytes(out);
        for (const std::string& part : c.present)
            EXPECT_NE(text.find(part), std::string::npos) << part << " in " << c.args[1];
        for (const std::string& part : c.absent)
            EXPECT_EQ(text.find(part), std::string::npos) << part << " in " << c.args[1];
    }
    const CliRun toOutput = run({"export", "persons", doc, "-", "--format", "vcard"});
    EXPECT_EQ(toOutput.out, fileBytes(dir.file("out.vcf")));
}

TEST_F(ExchangeCommandsTest, ImportsAddSaveAndCountWhatTheyAddedAndSkipped) {
    writeBytes(dir.file("in.vcf"),
               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Kim;Cy\r\nCATEGORIES:Family\r\nEND:VCARD\r\n"
               "BEGIN:VCARD\r\nVERSION:3.0\r\nTEL:1\r\nEND:VCARD\r\n");
    const CliRun persons = run({"import", "persons", doc, dir.file("in.vcf")});
    EXPECT_EQ(persons.code, 0) << persons.err;
    EXPECT_EQ(persons.out, "1 names added to current database, 1 card skipped, 1 group added.\n");
    EXPECT_EQ(persons.err,
              "quillmate-cli: " + dir.file("in.vcf") + ":6: skipped: no name or company\n");
    EXPECT_EQ(run({"info", doc}).out, "groups: 5\npersons: 3\ntasks: 1\nappointments: 1\n");

    const std::string calendar =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n"
        "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:Yoga\r\nDTSTART:20261201T180000Z\r\n"
        "RRULE:FREQ=WEEKLY;COUNT=3\r\nEND:VEVENT\r\n"
        "BEGIN:VTODO\r\nUID:b\r\nSUMMARY:Mats\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    const CliRun events = run({"import", "calendar", doc, "-", "--format", "ical"}, calendar);
    EXPECT_EQ(events.code, 0) << events.err;
    const QtLocale locale;
    EXPECT_EQ(events.out,
              "3 appointments and 1 tasks added to current database, 0 entries skipped; 3 of the "
              "appointments are occurrences of 1 recurring event from " +
                  DateTime::fromFields(2025, 12, 6).formatDate(locale) + " to " +
                  DateTime::fromFields(2028, 12, 5).formatDate(locale) + ".\n");
    const CliRun again = run({"import", "appointments", doc, "-", "--format", "ical"}, calendar);
    EXPECT_EQ(again.out, "0 appointments added to current database, 1 entry skipped.\n");
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.err,
              "quillmate-cli: standard input:4: skipped: already in the document\n"
              "quillmate-cli: standard input: nothing imported: all 1 record was skipped\n");
    EXPECT_EQ(run({"info", doc}).out, "groups: 5\npersons: 3\ntasks: 2\nappointments: 4\n");
}

TEST_F(ExchangeCommandsTest, WhatOneDocumentExportsAnotherImportsTheSame) {
    ASSERT_EQ(run({"new", other}).code, 0);
    for (const char* kind : {"persons", "calendar"}) {
        const std::string ext = kind == std::string("persons") ? ".vcf" : ".ics";
        const std::string first = dir.file(std::string("first") + ext);
        const std::string second = dir.file(std::string("second") + ext);
        ASSERT_EQ(run({"export", kind, doc, first}).code, 0);
        ASSERT_EQ(run({"import", kind, other, first}).code, 0);
        ASSERT_EQ(run({"export", kind, other, second}).code, 0);
        EXPECT_EQ(fileBytes(second), fileBytes(first)) << kind;
    }
}

TEST_F(ExchangeCommandsTest, RefusalsAndFailuresLeaveEveryFileAsItWas) {
    const std::string before = fileBytes(doc);
    writeBytes(dir.file("in.vcf"), "FirstName\nAnn\n");
    const std::string usage = "usage: quillmate-cli";
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    const Case cases[] = {
        {{"export", "tasks", doc, dir.file("x.vcf")}, 2, "a vCard file holds persons, not tasks"},
        {{"export", "persons", doc, dir.file("x.ics")}, 2, "holds appointments and tasks"},
        {{"export", "calendar", doc, dir.file("x.csv")}, 2, "exported and imported as iCalendar"},
        {{"export", "persons", doc, dir.file("x.vcf"), "--separator", "tab"},
         2,
         "for delimited text only"},
        {{"export", "tasks", doc, dir.file("x.ics"), "--group", "Friends"},
         2,
         "--group is for vCard only"},
        {{"export", "tasks", doc, dir.file("x.csv"), "--vcard", "4"},
         2,
         "--vcard is for vCard only"},
        {{"export", "persons", doc, dir.file("x.vcf"), "--vcard", "2.1"}, 2, "unknown --vcard"},
        {{"export", "persons", doc, dir.file("x.vcf"), "--format", "xml"}, 2, "unknown --format"},
        {{"import", "persons", doc, dir.file("in.vcf"), "--group", "Friends"}, 2, usage},
        {{"import", "persons", doc, dir.file("in.vcf"), "--columns", "FirstName"},
         2,
         "for delimited text only"},
        {{"export", "persons", doc, dir.file("x.vcf"), "--group", "friends"},
         1,
         doc + ": no group named \"friends\""},
        {{"import", "persons", doc, dir.file("in.vcf")},
         1,
         dir.file("in.vcf") + ": no vCard in the file"},
        {{"import", "calendar", doc, dir.file("in.vcf"), "--format", "ical"},
         1,
         dir.file("in.vcf") + ": no calendar in the file"},
        {{"import", "calendar", doc, dir.file("none.ics")}, 1, "none.ics"},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.args);
        EXPECT_EQ(result.code, c.code) << ::testing::PrintToString(c.args);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(fileBytes(doc), before);
    }
    for (const char* name : {"x.vcf", "x.ics", "x.csv"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
}

}  // namespace
