#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <streambuf>

#include "CliFixture.h"
#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

// Standard output on a full disk: every write is refused.
class FullDisk : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// A document whose every listed field holds text a script or terminal would misread.
class OutputSafetyTest : public CliFixture {
protected:
    void SetUp() override {
        FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
        PimDocument document(clock);
        document.seedDefaultGroups();
        Person p;
        p.LName = p.RName = "Tab\there\x1B[2J";
        p.Company = "back\\slash\xC2\x9B";
        p.PhGroups = {1};
        document.add(p);
        Appointment a = Appointment::createdAt(DateTime::fromFields(2026, 12, 6, 9, 0));
        a.Description = "Lunch\nReminder: forged";
        a.DueDate = a.StartTime.date();
        a.EndTime = a.StartTime;
        a.Alarm = true;
        a.AlarmTime = a.StartTime;
        document.add(a);
        ASSERT_TRUE(saveDocument(document, doc));
    }
};

TEST_F(OutputSafetyTest, ValuesNeverAddFieldsLinesOrEscapeSequences) {
    EXPECT_EQ(run({"persons", doc}).out, "Tab\\there\\x1B[2J\tback\\\\slash\\xC2\\x9B\n");
    EXPECT_EQ(run({"alarms", doc}).out,
              "Reminder: Lunch\\r\\nReminder: forged\tThis is your reminder for your 09:00 AM "
              "appointment.\n");
    EXPECT_NE(run({"day", doc}).out.find("\tLunch\\r\\nReminder: forged [alarm]\n"),
              std::string::npos);
}

// Lost output fails a command, unless the command saved its change: trying it again
// would make the change twice.
TEST_F(OutputSafetyTest, OutputThatIsLostIsAFailureUnlessTheChangeIsSaved) {
    const std::string refused = "quillmate-cli: standard output: the output was refused\n";
    const std::string saved = "quillmate-cli: " + doc +
                              ": the change is saved, but its output was lost (standard output "
                              "refused it)\n";
    struct Case {
        const char* command;
        int code;
        std::string err;
    };
    for (const Case& c :
         {Case{"day", 1, refused}, Case{"alarms", 1, refused}, Case{"persons", 1, refused},
          Case{"groups", 1, refused}, Case{"info", 1, refused}, Case{"compact", 0, saved}}) {
        FullDisk disk;
        std::ostream out(&disk);
        std::istringstream in;
        std::ostringstream err;
        EXPECT_EQ(runCli({"--now", "2026-12-06 10:00", c.command, doc}, in, out, err), c.code)
            << c.command;
        EXPECT_EQ(err.str(), c.err) << c.command;
    }
}

TEST_F(OutputSafetyTest, NoReportOrExportReplacesItsDocument) {
    const std::string before = fileBytes(doc);
    std::filesystem::create_symlink(doc, dir.file("link.pgr"));
    std::filesystem::create_hard_link(doc, dir.file("hard.pgr"));
    const std::string relative =
        std::filesystem::relative(doc, std::filesystem::current_path()).string();
    const std::vector<std::vector<std::string>> cases = {
        {"report", "daily-plan", doc, "-o", doc},
        {"report", "phonebook", doc, "-o", relative},
        {"report", "phonebook", doc, "-o", dir.file("link.pgr")},
        {"report", "phonebook", doc, "-o", dir.file("hard.pgr")},
        {"export", "persons", doc, doc},
        {"export", "persons", doc, dir.file("link.pgr"), "--format", "vcard"},
        {"export", "calendar", doc, doc, "--format", "ical"},
    };
    for (const auto& args : cases) {
        const CliRun refused = run(args);
        EXPECT_EQ(refused.code, 1) << args[1] << " " << args.back();
        EXPECT_NE(refused.err.find("is the document itself; nothing was written"),
                  std::string::npos)
            << refused.err;
        ASSERT_EQ(fileBytes(doc), before) << args[1] << " " << args.back();
    }
}

TEST_F(OutputSafetyTest, DatesStayWhereEveryReportCanDrawThem) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"report", "weekly", doc, "-o", dir.file("w.pdf"), "--date", "9999-12-31"},
         "--date 9999-12-31 is outside 1990-01-01 to 2035-12-31"},
        {{"day", doc, "--date", "1989-12-31"}, "--date 1989-12-31 is outside"},
        {{"--now", "2036-01-01 00:00", "info", doc}, "--now 2036-01-01 is outside"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun refused = runCliCaptured(args);
        EXPECT_EQ(refused.code, 2) << message;
        EXPECT_NE(refused.err.find(message), std::string::npos) << refused.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("w.pdf")));
}

TEST_F(OutputSafetyTest, DoubleDashEndsTheOptionsAndDashIsStandardOutput) {
    EXPECT_EQ(run({"add-task", doc, "--", "--help wanted"}).out, "Added task 1.\n");
    EXPECT_NE(run({"day", doc}).out.find("\t--help wanted\t"), std::string::npos);
    EXPECT_EQ(runCliCaptured({"--", "info", doc}).code, 0);

    const CliRun pdf = run({"report", "phonebook", doc, "-o", "-"});
    EXPECT_EQ(pdf.code, 0) << pdf.err;
    EXPECT_TRUE(pdf.out.starts_with("%PDF-")) << pdf.out.substr(0, 20);
    EXPECT_FALSE(std::filesystem::exists("-"));
}

}  // namespace
