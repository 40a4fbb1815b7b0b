#include <filesystem>
#include <sstream>
#include <streambuf>

#include "CliFixture.h"

namespace {

// Standard output on a full disk: every write is refused.
class FullDisk : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

// A document whose every listed field holds text a script or terminal would misread.
class OutputSafetyTest : public CliFixture {
protected:
    void SetUp() override {
        PimDocument document(clock);
        document.seedDefaultGroups();
        Person p = listedPerson("Tab\there\x1B[2J", "back\\slash\xC2\x9B");
        p.setLName(p.RName());
        document.add(p);
        const DateTime nine = at(2026, 12, 6, 9, 0);
        document.add(appointmentAt("Lunch\nReminder: forged", nine, nine, 0));
        ASSERT_TRUE(saveDocument(document, doc));
    }
};

TEST_F(OutputSafetyTest, ValuesNeverAddFieldsLinesOrEscapeSequences) {
    EXPECT_EQ(run({"persons", doc}).out, "Tab\\there\\x1B[2J\tback\\\\slash\\xC2\\x9B\n");
    EXPECT_EQ(run({"occurrences", doc}).out,
              "1\t2026-12-06\t09:00-09:00\tLunch\\r\\nReminder: forged\n");
    EXPECT_EQ(runProgram("LANG=en_US.UTF-8", "--now '2026-12-06 10:00' day " + doc),
              "Appointments\n9:00 AM-9:00 AM\tLunch\\r\\nReminder: forged [alarm]\nTasks\n");
    // The reminder says AM and PM in any language.
    EXPECT_EQ(runProgram("LANG=de_DE.UTF-8", "--now '2026-12-06 10:00' alarms " + doc),
              "Reminder: Lunch\\r\\nReminder: forged\tThis is your reminder for your 09:00 AM "
              "appointment.\n");
}

// Lost output fails a command, unless the command saved its change: trying it again
// would make the change twice.
TEST_F(OutputSafetyTest, OutputThatIsLostIsAFailureUnlessTheChangeIsSaved) {
    const std::string refused = "quillmate-cli: standard output: the output was refused\n";
    const std::string saved = "quillmate-cli: " + doc +
                              ": the change is saved, but its output was lost (standard output "
                              "refused it)\n";
    for (const std::string line :
         {"day home.pgr", "alarms home.pgr", "occurrences home.pgr", "persons home.pgr",
          "groups home.pgr", "info home.pgr", "compact home.pgr", "--help", "--version", "help",
          "help day", "day --help"}) {
        std::vector<std::string> args = words(line);
        args.insert(args.begin(), {"--now", "2026-12-06 10:00"});
        const bool saves = line.starts_with("compact");
        FullDisk disk;
        std::ostream out(&disk);
        std::istringstream in;
        std::ostringstream err;
        EXPECT_EQ(runCli(args, in, out, err), saves ? 0 : 1) << line;
        EXPECT_EQ(err.str(), saves ? saved : refused) << line;
    }
}

TEST_F(OutputSafetyTest, NoReportOrExportReplacesItsDocument) {
    std::filesystem::create_symlink(doc, dir.file("link.pgr"));
    std::filesystem::create_hard_link(doc, dir.file("hard.pgr"));
    const std::string relative =
        std::filesystem::relative(doc, std::filesystem::current_path()).string();
    for (const std::string& line : std::vector<std::string>{
             "report daily-plan home.pgr -o home.pgr", "report phonebook home.pgr -o link.pgr",
             "report phonebook home.pgr -o hard.pgr", "export persons home.pgr home.pgr",
             "export persons home.pgr link.pgr --format vcard",
             "export calendar home.pgr home.pgr --format ical"}) {
        SCOPED_TRACE(line);
        expectRefused(words(line), 1, "is the document itself; nothing was written");
    }
    expectRefused({"report", "phonebook", doc, "-o", relative}, 1, "is the document itself");
}

TEST_F(OutputSafetyTest, DatesStayWhereEveryReportCanDrawThem) {
    expectRefused(words("report weekly home.pgr -o w.pdf --date 9999-12-31"), 2,
                  "--date 9999-12-31 is outside 1990-01-01 to 2035-12-31");
    expectRefused(words("day home.pgr --date 1989-12-31"), 2, "--date 1989-12-31 is outside");
    expectRefused({"--now", "2036-01-01 00:00", "info", doc}, 2, "--now 2036-01-01 is outside");
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
