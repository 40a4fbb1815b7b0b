#include <filesystem>

#include "CliFixture.h"

namespace {

// A shell command's output and errors, and its exit code.
ShellRun shell(const std::string& command) {
    return runShell(command + " 2>&1");
}

class ReportCommandsTest : public CliFixture {
protected:
    void SetUp() override {
        PimDocument document(clock);
        for (int i = 1; i <= 60; ++i)
            document.add(taskDue("errand " + std::to_string(i), at(2026, 5, 12)));
        ASSERT_TRUE(saveDocument(document, doc));
    }
    // The program itself (which hands reports to quillmate-cli-qt), with a display it must
    // not need.
    ShellRun report(const std::string& args) {
        return shell(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR "
            "QT_QPA_PLATFORM=xcb " QUILLMATE_CLI_BINARY " --now '2026-05-12 09:00' report " +
            args);
    }

    std::string pdf = dir.file("out.pdf");
};

TEST_F(ReportCommandsTest, WritesOnePdfPagePerReportPageWithoutADisplay) {
    const ShellRun run = report("daily-tasks '" + doc + "' -o '" + pdf + "' --paper a4");
    ASSERT_EQ(run.code, 0) << run.output;
    EXPECT_EQ(run.output, "") << "nothing on standard error, not even Qt's remarks";
    const ShellRun info = shell("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.output.find("Pages:           2"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("(A4)"), std::string::npos) << info.output;
    const ShellRun text = shell("pdftotext -layout '" + pdf + "' -");
    for (const char* expected : {"DAILY TASKS", "errand 1 ", "errand 60", "Page 2"})
        EXPECT_NE(text.output.find(expected), std::string::npos) << expected;
}

TEST_F(ReportCommandsTest, ReportWithoutPagesWritesNothing) {
    // No appointments on that day; the file named keeps what it had.
    writeBytes(pdf, "old");
    expectRefused(words("report daily-appointments home.pgr -o out.pdf"), 1,
                  pdf + ": the report has no pages");
    // A day whose tasks are not listed has no daily plan either.
    expectRefused(words("report daily-plan home.pgr -o out.pdf --date 2026-05-11"), 1,
                  pdf + ": the report has no pages");
    EXPECT_EQ(fileBytes(pdf), "old");
}

TEST_F(ReportCommandsTest, RefusesMalformedOptions) {
    const std::string plan = "report daily-plan home.pgr -o out.pdf ";
    const std::pair<std::string, const char*> cases[] = {
        {"report yearly home.pgr -o out.pdf", "unknown report \"yearly\""},
        {"report phonebook home.pgr -o out.pdf --group Golf",
         "no address-book group is named \"Golf\""},
        {"report daily-plan home.pgr", "-o names the PDF file to write"},
        {"report daily-plan home.pgr -o", "option -o needs a value"},
        {plan + "--date 2026-02-30", "--date wants YYYY-MM-DD"},
        {plan + "--paper legal", "unknown --paper \"legal\""},
        {plan + "--margins 1000,1000,1000", "--margins wants four"},
        {plan + "--margins 1000,-1,1000,1000", "--margins wants four"},
        {plan + "--margins 5000,500,4000,500", "leave nothing"},
        {plan + "--size 10.5", "--size wants whole points"},
        {plan + "--size 0", "--size wants whole points"},
    };
    for (const auto& [args, message] : cases)
        expectRefused(words(args), 2, message);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// Each kind and its options reach the report named; what a report draws is its own rule.
TEST_F(ReportCommandsTest, EachReportKindWritesItsPdf) {
    PimDocument document(clock);
    document.seedDefaultGroups();
    const int32_t golf = document.add(PhGroup{0, "Golf"});
    for (Person p : {listedPerson("Ames", "", {golf, 1}), listedPerson("Birch")}) {
        p.setLName(p.RName());
        document.add(p);
    }
    document.add(appointmentAt("Board meeting", at(2026, 5, 14, 10, 0), at(2026, 5, 14, 11, 0)));
    ASSERT_TRUE(saveDocument(document, doc));
    const std::pair<const char*, const char*> rows[] = {
        {"phonebook", "Birch"},
        {"phonebook --group Golf", "Ames"},
        {"envelopes --group Golf", "Ames"},
        {"weekly --date 2026-05-13", "Board meeting"},
        {"monthly --date 2026-05-31", "May 2026"},
        {"daily-appointments --date 2026-05-14", "Board meeting"},
    };
    for (const auto& [args, expected] : rows) {
        const std::string line = args;
        const std::string kind = line.substr(0, line.find(' '));
        const ShellRun run =
            report(kind + " '" + doc + "' -o '" + pdf + "'" + line.substr(kind.size()));
        ASSERT_EQ(run.code, 0) << args << ": " << run.output;
        const std::string text = shell("pdftotext -layout '" + pdf + "' -").output;
        EXPECT_NE(text.find(expected), std::string::npos) << args << ":\n" << text;
        if (line == "phonebook --group Golf") {
            EXPECT_EQ(text.find("Birch"), std::string::npos);
        }
    }
}

}  // namespace
