#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "cli/commands/CommandSupport.h"
#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "platform/qt/QtLocale.h"
#include "records/PimDocument.h"
#include "shell/ShellFakes.h"
#include "support/CliRun.h"
#include "support/MemorySettingsStore.h"
#include "support/ScratchDir.h"
#include "textio/TextImport.h"
#include "workspace/Workspace.h"

namespace {

class TransferCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
        PimDocument document(clock);
        Person ann;
        ann.FName = "Ann";
        ann.LName = "Lee";
        ann.City = "Z\xC3\xBCrich";
        document.add(ann);
        Task task = Task::createdAt(DateTime::fromFields(2026, 12, 24));
        task.Description = "Wrap \"gifts\"";
        task.Priority = Task::Medium;
        document.add(task);
        ASSERT_TRUE(saveDocument(document, doc));
    }

    ScratchDir dir;
    const std::string doc = dir.file("home.pgr");
    const std::string csv = dir.file("out.csv");
};

TEST_F(TransferCommandsTest, ExportWritesTheChosenLayout) {
    struct Case {
        std::vector<std::string> options;
        std::string expected;
    };
    const Case cases[] = {
        {{"persons"},
         "\"FirstName\",\"LastName\",\"Address1\",\"Address2\",\"City\",\"State\",\"ZipCode\","
         "\"HomePhone\",\"WorkPhone\",\"WorkExtension\",\"Fax\",\"CelPhone\",\"Pager\",\"E-Mail\","
         "\"WebPage\",\"Company\",\"Position\",\"Notes\"\n"
         "\"Ann\",\"Lee\",,,\"Z\xC3\xBCrich\",,,,,,,,,,,,,\n"},
        {{"persons", "--separator", "semicolon", "--encloser", "single", "--no-header", "--fields",
          "City,FirstName"},
         "'Z\xC3\xBCrich';'Ann'\n"},
        {{"tasks", "--separator", "tab", "--encloser", "none"},
         "Task\tDueDate\tPriority\nWrap \"gifts\"\t" +
             DateTime::fromFields(2026, 12, 24).formatDate(QtLocale()) + "\t1\n"},
        {{"tasks", "--separator", "pipe", "--fields", "Task"},
         "\"Task\"\n\"Wrap \"\"gifts\"\"\"\n"},
        {{"appointments"}, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"export", c.options[0], doc, csv};
        args.insert(args.end(), c.options.begin() + 1, c.options.end());
        const CliRun result = runCliCaptured(args);
        EXPECT_EQ(result.code, 0) << result.err;
        EXPECT_EQ(fileBytes(csv), c.expected) << c.options[0];
    }
}

TEST_F(TransferCommandsTest, ImportAddsSavesAndCounts) {
    writeBytes(csv, "First;Ignored;Last\nBo;x;Kim\n;x;\nCy;x;Fox");
    const CliRun result = runCliCaptured({"import", "persons", doc, csv, "--columns",
                                          "FirstName, ,LastName", "--separator", "semicolon"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "2 names added to current database, 1 line skipped.\n");
    EXPECT_EQ(result.err,
              "quillmate-cli: " + csv + ":3: skipped: no first name, last name or company\n");
    EXPECT_EQ(runCliCaptured({"info", doc}).out,
              "groups: 0\npersons: 3\ntasks: 1\nappointments: 0\n");

    writeBytes(csv, "Dentist,12/8/2026,9:00 AM,10:00 AM,TRUE,15\n");
    const std::string columns = "Appointment,Date,StartTime,EndTime,Alarmed,AlarmTime";
    const std::vector<std::string> appointments = {"import",      "appointments", doc,    csv,
                                                   "--no-header", "--columns",    columns};
    EXPECT_EQ(runCliCaptured(appointments).out, "1 appointments added to current database.\n");
    const std::string saved = fileBytes(doc);
    // A file whose every record is skipped never passes for a success.
    const CliRun again = runCliCaptured(appointments);
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.out, "0 appointments added to current database, 1 line skipped.\n");
    EXPECT_NE(again.err.find(csv + ": nothing imported: all 1 record was skipped"),
              std::string::npos)
        << again.err;
    EXPECT_EQ(fileBytes(doc), saved);
}

TEST_F(TransferCommandsTest, RefusalsAndFailuresLeaveEveryFileAsItWas) {
    const std::string before = fileBytes(doc);
    writeBytes(csv, "Task,Due\nCall,12/8/2026\n");
    const std::string usage = "usage: quillmate-cli";
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    const Case cases[] = {
        {{"export", "people", doc, csv}, 2, usage},
        {{"export", "persons", doc}, 2, usage},
        {{"export", "persons", doc, csv, "--separator", "colon"}, 2, usage},
        {{"export", "persons", doc, csv, "--encloser", "backtick"}, 2, usage},
        {{"export", "persons", doc, csv, "--fields", "FirstName,Nickname"}, 2, usage},
        {{"export", "persons", doc, csv, "--fields", ""}, 2, usage},
        {{"import", "persons", doc, csv}, 2, usage},
        {{"import", "persons", doc, csv, "--columns", "LastName,,Surname"}, 2, usage},
        {{"import", "persons", doc, csv, "--columns", "LastName,LastName"}, 2, usage},
        {{"import", "tasks", doc, csv, "--columns", "Task", "--no-such-option"}, 2, usage},
        {{"import", "tasks", doc, csv, "--columns", ",DueDate"},
         1,
         "You must include a task as a field to import."},
        {{"import", "persons", doc, csv, "--columns", "Address1"},
         1,
         "You must include a first name, last name, or company as a field to import."},
        {{"import", "appointments", doc, csv, "--columns", "Appointment,Date,StartTime"},
         1,
         "You must include an appointment, date, start time, and end time as fields to import."},
        {{"import", "tasks", doc, dir.file("none.csv"), "--columns", "Task"}, 1, "none.csv"},
        {{"import", "tasks", dir.file("none.pgr"), csv, "--columns", "Task"}, 1, "none.pgr"},
        {{"export", "tasks", dir.file("none.pgr"), csv}, 1, "none.pgr"},
        {{"export", "tasks", doc, dir.file("missing/out.csv")},
         1,
         dir.file("missing") + ": cannot create a file in this folder"},
    };
    for (const Case& c : cases) {
        const CliRun result = runCliCaptured(c.args);
        EXPECT_EQ(result.code, c.code) << ::testing::PrintToString(c.args);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(fileBytes(doc), before);
        EXPECT_EQ(fileBytes(csv), "Task,Due\nCall,12/8/2026\n");
    }
}

TEST_F(TransferCommandsTest, ADashIsStandardOutputForExportAndStandardInputForImport) {
    const CliRun exported = runCliCaptured({"export", "persons", doc, "-", "--fields", "LastName"});
    EXPECT_EQ(exported.code, 0) << exported.err;
    EXPECT_EQ(exported.out, "\"LastName\"\n\"Lee\"\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("-")));

    const CliRun imported = runCliCaptured({"import", "persons", doc, "-", "--columns", "LastName"},
                                           "LastName\nKim\n\"\"\n");
    EXPECT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(imported.out, "1 names added to current database, 1 line skipped.\n");
    EXPECT_EQ(imported.err,
              "quillmate-cli: standard input:3: skipped: no first name, last name or company\n");
    EXPECT_EQ(runCliCaptured({"export", "persons", doc, "-", "--fields", "LastName"}).out,
              "\"LastName\"\n\"Lee\"\n\"Kim\"\n");
}

TEST_F(TransferCommandsTest, TwoImportsIntoOneDocumentAtOnceBothLand) {
    // 20000 names each, imported by two programs started together.
    std::string names = "LastName\n";
    for (int i = 0; i < 20000; ++i)
        names += "Name" + std::to_string(i) + "\n";
    writeBytes(dir.file("a.csv"), names);
    writeBytes(dir.file("b.csv"), names);
    const std::string import = std::string(QUILLMATE_CLI_BINARY) + " import persons '" + doc +
                               "' '" + dir.file("%s.csv") + "' --columns LastName";
    std::string both;
    for (const char* which : {"a", "b"}) {
        std::string one = import;
        one.replace(one.find("%s"), 2, which);
        both += "(" + one + " || echo failed) & ";
    }
    const std::string output = runProgram("", "true; " + both + "wait");
    EXPECT_EQ(output,
              "20000 names added to current database.\n20000 names added to current database.\n");
    EXPECT_EQ(runCliCaptured({"info", doc}).out,
              "groups: 0\npersons: 40001\ntasks: 1\nappointments: 0\n");
}

TEST_F(TransferCommandsTest, FollowsTheSystemLocale) {
    const std::string exportDates =
        "export tasks '" + doc + "' '" + csv + "' --fields DueDate && cat '" + csv + "'";
    struct Case {
        const char* environment;
        const char* expected;
    };
    const Case cases[] = {
        {"LANG=en_US.UTF-8", "\"DueDate\"\n\"12/24/2026\"\n"},
        {"LANG=en_US.UTF-8 LC_TIME=de_DE.UTF-8", "\"DueDate\"\n\"24.12.2026\"\n"},
        {"LC_TIME=en_US.UTF-8 LC_ALL=de_DE.UTF-8", "\"DueDate\"\n\"24.12.2026\"\n"},
        {"LANG=fr_FR.UTF-8", "\"DueDate\"\n\"24/12/2026\"\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runProgram(c.environment, exportDates), c.expected) << c.environment;
    }
    const std::string input = dir.file("in.csv");
    writeBytes(input, "Feed cat,03.01.2027\n");
    EXPECT_EQ(runProgram("LC_ALL=de_DE.UTF-8", "import tasks '" + doc + "' '" + input +
                                                   "' --no-header --columns Task,DueDate"),
              "1 tasks added to current database.\n");
    EXPECT_EQ(runProgram("LC_ALL=en_US.UTF-8", exportDates),
              "\"DueDate\"\n\"12/24/2026\"\n\"1/3/2027\"\n");
}

}  // namespace

namespace {

// A file from another program: a title line, then a header in its own words, semicolons,
// Windows-1252, and a column we have no field for.
TEST_F(TransferCommandsTest, AutoColumnsReadTheHeaderAndDryRunChangesNothing) {
    writeBytes(csv,
               "Exported contacts\r\n"
               "Vorname;Nachname;Geburtstag;Ort;\r\n"
               "J\xFCrgen;M\xFCller;1.2.1970;K\xF6ln;\r\n"
               "Bo;;;;\r\n");
    const std::string before = fileBytes(doc);
    const std::vector<std::string> args = {"import",    "persons", doc,           csv,
                                           "--columns", "auto",    "--separator", "auto"};
    std::vector<std::string> dry = args;
    dry.push_back("--dry-run");
    const CliRun preview = runCliCaptured(dry);
    EXPECT_EQ(preview.code, 0) << preview.err;
    EXPECT_EQ(preview.out,
              "column 1: FirstName\ncolumn 2: LastName\ncolumn 3: (not imported)\n"
              "column 4: City\n"
              "dry run: 2 names added to current database. (nothing saved)\n");
    EXPECT_NE(preview.err.find("column 3 \"Geburtstag\" not imported"), std::string::npos)
        << preview.err;
    EXPECT_EQ(fileBytes(doc), before);

    const CliRun imported = runCliCaptured(args);
    EXPECT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(imported.out, "2 names added to current database.\n");
    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument document(clock);
    ASSERT_TRUE(loadDocument(document, doc));
    ASSERT_EQ(document.persons().size(), 3u);
    EXPECT_EQ(document.persons().find(2)->RName, "M\xC3\xBCller, J\xC3\xBCrgen");
    EXPECT_EQ(document.persons().find(2)->City, "K\xC3\xB6ln");

    // Nothing to map, or no header to map from: refused, nothing written.
    const std::string after = fileBytes(doc);
    writeBytes(csv, "1;2;3\n4;5;6\n");
    const CliRun unknown = runCliCaptured(args);
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("--columns"), std::string::npos) << unknown.err;
    std::vector<std::string> noHeader = args;
    noHeader.push_back("--no-header");
    EXPECT_EQ(runCliCaptured(noHeader).code, 2);
    EXPECT_EQ(fileBytes(doc), after);
}

// The window saves through the lock the command line takes, so the two take turns: a
// save that comes first is what the import adds to; an import that comes first is never
// written over, and the window's change is saved where the user says.
TEST_F(TransferCommandsTest, AnImportAndAWindowSaveTakeTurnsAndLoseNothing) {
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const std::string elsewhere = dir.file("elsewhere.pgr");
    writeBytes(csv, "Bo,Kim\n");
    const auto reread = [&](const std::string& path) {
        auto document = std::make_unique<PimDocument>(clock);
        EXPECT_TRUE(loadDocument(*document, path));
        return document;
    };
    for (const bool windowFirst : {true, false}) {
        SCOPED_TRACE(windowFirst ? "the window first" : "the import first");
        SetUp();
        MemorySettingsStore settings;
        ScriptedPrompts prompts;
        DocFileStorage storage;
        Workspace window(clock, storage, prompts, settings);
        window.openAtStartup({doc});
        window.runStep(UndoStep::AddTask,
                       [&] { window.document().add(Task::createdAt(DateTime::now(clock))); });
        if (windowFirst) {
            window.files().save();
            EXPECT_EQ(runCliCaptured({"import", "persons", doc, csv, "--columns",
                                      "FirstName,LastName", "--separator", "comma", "--no-header"})
                          .code,
                      0);
        } else {
            // The import holds the document while the window's save waits for its turn.
            prompts.answers = {MessageAnswer::No};  // not over the import: elsewhere
            prompts.paths = {elsewhere};
            TestCliContext cli(clock);
            auto update = std::make_unique<DocumentUpdate>(cli.context, doc);
            PimDocument imported(clock);
            ASSERT_TRUE(update->load(imported));
            std::thread save([&] { window.files().save(); });
            TextTransferSpec spec = makeImportSpec(TransferKind::Persons);
            spec.columnFields = {"FirstName", "LastName"};
            spec.columnCount = 2;
            EXPECT_EQ(
                importText(TransferKind::Persons, imported, spec, "Bo,Kim\n", QtLocale()).added, 1);
            EXPECT_TRUE(update->save(imported));
            update.reset();
            save.join();
            ASSERT_EQ(prompts.messages.size(), 1u);
            EXPECT_NE(prompts.messages[0].text.find("changed by another program"),
                      std::string::npos);
            EXPECT_EQ(reread(elsewhere)->tasks().size(), 2u);
        }
        EXPECT_FALSE(window.document().isModified());
        const auto saved = reread(doc);
        EXPECT_EQ(saved->persons().size(), 2u) << "the import landed";
        EXPECT_EQ(saved->tasks().size(), windowFirst ? 2u : 1u);
    }
}

}  // namespace
