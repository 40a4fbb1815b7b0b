#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/CliRun.h"
#include "support/ScratchDir.h"
#include "support/ShellRun.h"

namespace {

// A shell command's output and errors, and its exit code.
ShellRun shell(const std::string& command) {
    return runShell(command + " 2>&1");
}

class ReportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        FixedClock clock{LocalTime{2026, 5, 12, 9, 0, 0, 0}};
        PimDocument document(clock);
        for (int i = 0; i < 60; ++i) {
            Task task = Task::createdAt(DateTime::fromFields(2026, 5, 12));
            task.Description = "errand " + std::to_string(i + 1);
            document.add(task);
        }
        ASSERT_TRUE(saveDocument(document, doc));
    }
    // The program itself, with a display it must not need.
    ShellRun report(const std::string& args) {
        return shell(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR "
            "QT_QPA_PLATFORM=xcb " QUILLMATE_CLI_BINARY " --now '2026-05-12 09:00' report " +
            args);
    }

    ScratchDir dir;
    std::string doc = dir.file("day.pgr");
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
    std::FILE* old = std::fopen(pdf.c_str(), "w");
    std::fputs("old", old);
    std::fclose(old);
    const ShellRun run = report("daily-appointments '" + doc + "' -o '" + pdf + "'");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.output.find("out.pdf: the report has no pages"), std::string::npos) << run.output;
    EXPECT_EQ(std::filesystem::file_size(pdf), 3u);
    // A day whose tasks are not listed has no daily plan either.
    EXPECT_EQ(report("daily-plan '" + doc + "' -o '" + pdf + "' --date 2026-05-11").code, 1);
}

TEST_F(ReportCommandsTest, RefusesMalformedOptions) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"yearly", doc, "-o", pdf}, "unknown report \"yearly\""},
        {{"phonebook", doc, "-o", pdf, "--group", "Golf"},
         "no address-book group is named \"Golf\""},
        {{"daily-plan", doc}, "-o names the PDF file to write"},
        {{"daily-plan", doc, "-o"}, "option -o needs a value"},
        {{"daily-plan", doc, "-o", pdf, "--date", "2026-02-30"}, "--date wants YYYY-MM-DD"},
        {{"daily-plan", doc, "-o", pdf, "--paper", "legal"}, "unknown --paper \"legal\""},
        {{"daily-plan", doc, "-o", pdf, "--margins", "1000,1000,1000"}, "--margins wants four"},
        {{"daily-plan", doc, "-o", pdf, "--margins", "1000,-1,1000,1000"}, "--margins wants four"},
        {{"daily-plan", doc, "-o", pdf, "--margins", "5000,500,4000,500"}, "leave nothing"},
        {{"daily-plan", doc, "-o", pdf, "--size", "10.5"}, "--size wants whole points"},
        {{"daily-plan", doc, "-o", pdf, "--size", "0"}, "--size wants whole points"},
    };
    for (const auto& [args, message] : cases) {
        std::vector<std::string> line = {"report"};
        line.insert(line.end(), args.begin(), args.end());
        const CliRun run = runCliCaptured(line);
        EXPECT_EQ(run.code, 2) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// An address book of five persons, two of them golfers, and a week of appointments.
class AddressReportsTest : public ReportCommandsTest {
protected:
    void SetUp() override {
        FixedClock clock{LocalTime{2026, 5, 12, 9, 0, 0, 0}};
        PimDocument document(clock);
        document.seedDefaultGroups();
        PhGroup golf;
        golf.Desc = "Golf";
        const int32_t golfId = document.add(golf);
        int32_t all = 0;
        for (const auto& [id, group] : document.phGroups())
            if (group.Desc == "All") all = id;
        const char* names[] = {"Ames", "Birch", "Cole", "Dunn", "Eyre"};
        for (int i = 0; i < 5; ++i) {
            Person p;
            p.FName = "Kim";
            p.LName = names[i];
            p.City = "Salem";
            p.PhGroups = i < 2 ? std::vector<int32_t>{all, golfId} : std::vector<int32_t>{all};
            document.add(p);
        }
        User owner;
        owner.FName = "Pat";
        owner.LName = "Owner";
        document.setUser(owner);
        Appointment a;
        a.Description = "Board meeting";
        a.DueDate = DateTime::fromFields(2026, 5, 14);
        a.StartTime = DateTime::fromFields(2026, 5, 14, 10, 0);
        document.add(a);
        ASSERT_TRUE(saveDocument(document, doc));
    }
    // The number of pages and the text of the PDF written.
    std::pair<std::string, std::string> written() {
        return {shell("pdfinfo '" + pdf + "' | grep Pages").output,
                shell("pdftotext -layout '" + pdf + "' -").output};
    }
};

TEST_F(AddressReportsTest, EachReportKindWritesItsPages) {
    struct Case {
        std::string args;
        int pages;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"phonebook", 1, {"ADDRESS BOOK", "Kim Ames", "Kim Eyre", "Page 1 of 1"}},
        {"phonebook --group Golf", 1, {"Kim Ames", "Kim Birch"}},
        {"envelopes --group Golf", 2, {"Pat Owner", "Kim Birch"}},
        {"weekly --date 2026-05-13", 2, {"May 10 - 13", "May 14 - 16", "10:00 A Board meeting"}},
        {"monthly --date 2026-05-31", 1, {"May 2026", "Apr 2026", "June 2026", "Board"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const std::string kind = c.args.substr(0, c.args.find(' '));
        const std::string rest = c.args.size() > kind.size() ? c.args.substr(kind.size()) : "";
        const ShellRun run = report(kind + " '" + doc + "' -o '" + pdf + "'" + rest);
        ASSERT_EQ(run.code, 0) << run.output;
        const auto [info, text] = written();
        EXPECT_NE(info.find(" " + std::to_string(c.pages) + "\n"), std::string::npos) << info;
        for (const std::string& expected : c.texts)
            EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
        if (c.args == "phonebook --group Golf") {
            EXPECT_EQ(text.find("Cole"), std::string::npos);
        }
    }
}

}  // namespace
