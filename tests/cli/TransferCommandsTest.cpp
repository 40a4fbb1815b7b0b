#include <filesystem>

#include "CliFixture.h"

// import and export: which format, which file or stream, what is said and what is kept.
// What each format holds is pinned by the tests of the formats themselves.

namespace {

// Ann Lee of Zürich in the group Friends, Bo's Bikes, a dentist's appointment and a task.
class TransferCommandsTest : public CliFixture {
protected:
    void SetUp() override {
        PimDocument document(clock);
        document.seedDefaultGroups();
        document.add(PhGroup{0, "Friends"});
        Person ann;
        ann.setFName("Ann");
        ann.setLName("Lee");
        ann.setRName(ann.displayName());
        ann.setCity("Z\xC3\xBCrich");
        ann.PhGroups = {4, 1};
        document.add(ann);
        document.add(listedPerson("", "Bo's Bikes"));
        document.add(appointmentAt("Dentist", at(2026, 12, 8, 9, 0), at(2026, 12, 8, 9, 30)));
        document.add(taskDue("Wrap gifts", at(2026, 12, 24)));
        ASSERT_TRUE(saveDocument(document, doc));
    }

    const std::string csv = dir.file("out.csv");
};

TEST_F(TransferCommandsTest, ExportsInTheFormatTheExtensionOrOptionsName) {
    struct Row {
        const char* label;
        const char* args;  // kind, output file, options
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Row rows[] = {
        {"vCard by extension", "persons out.vcf", {"VERSION:3.0", "FN:Ann Lee"}, {}},
        {"vCard 4 of one group, extension in capitals",
         "persons OUT.VCF --vcard 4 --group Friends",
         {"VERSION:4.0", "FN:Ann Lee"},
         {"Bo"}},
        {"format option over the extension", "persons out.txt --format vcard", {"BEGIN:VCARD"}, {}},
        {"calendar", "calendar out.ics", {"SUMMARY:Dentist", "SUMMARY:Wrap gifts"}, {}},
        {"appointments alone", "appointments out.ical", {"BEGIN:VEVENT"}, {"VTODO"}},
        {"tasks alone", "tasks out.ics", {"BEGIN:VTODO"}, {"VEVENT"}},
        {"delimited text with its header", "tasks out.csv", {"\"Task\",\"DueDate\""}, {}},
        {"every layout option",
         "persons out.csv --separator semicolon --encloser single --no-header --fields "
         "City,FirstName",
         {"'Z\xC3\xBCrich';'Ann'\n"},
         {"FirstName"}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = words(std::string("export ") + row.args);
        args.insert(args.begin() + 2, doc);
        EXPECT_EQ(said(run(args)), said(0, "")) << row.label;
        const std::string text = fileBytes(args[3]);
        for (const std::string& part : row.present)
            EXPECT_NE(text.find(part), std::string::npos) << row.label << ": " << part;
        for (const std::string& part : row.absent)
            EXPECT_EQ(text.find(part), std::string::npos) << row.label << ": " << part;
    }
    // A dash is standard output, never a file of that name.
    EXPECT_EQ(run({"export", "persons", doc, "-", "--format", "vcard"}).out,
              fileBytes(dir.file("out.vcf")));
    EXPECT_EQ(run({"export", "persons", doc, "-", "--fields", "LastName"}).out,
              "\"LastName\"\n\"Lee\"\n\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("-")));
}

TEST_F(TransferCommandsTest, ImportsAddSaveAndCountWhatTheyAddedAndSkipped) {
    writeBytes(dir.file("in.vcf"),
               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Kim;Cy\r\nCATEGORIES:Family\r\nEND:VCARD\r\n"
               "BEGIN:VCARD\r\nVERSION:3.0\r\nTEL:1\r\nEND:VCARD\r\n");
    EXPECT_EQ(said(run({"import", "persons", doc, dir.file("in.vcf")})),
              said(0, "1 names added to current database, 1 card skipped, 1 group added.\n",
                   dir.file("in.vcf") + ":6: skipped: no name or company\n"));
    EXPECT_EQ(said(run({"import", "persons", doc, "-", "--columns", "LastName"},
                       "LastName\nKim\n\"\"\n")),
              said(0, "1 names added to current database, 1 line skipped.\n",
                   "standard input:3: skipped: no first name, last name or company\n"));

    const std::string calendar =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n"
        "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:Yoga\r\nDTSTART:20261201T180000Z\r\n"
        "RRULE:FREQ=WEEKLY;COUNT=3\r\nEND:VEVENT\r\n"
        "BEGIN:VTODO\r\nUID:b\r\nSUMMARY:Mats\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    const CliRun events = run({"import", "calendar", doc, "-", "--format", "ical"}, calendar);
    EXPECT_EQ(events.code, 0) << events.err;
    // The series is one appointment, and it is found again after the document was saved.
    EXPECT_TRUE(events.out.starts_with("1 appointments and 1 tasks added")) << events.out;
    EXPECT_EQ(run({"info", doc}).out, "groups: 5\npersons: 4\ntasks: 2\nappointments: 2\n");

    // A file whose every record is skipped never passes for a success, and saves nothing.
    const std::string saved = fileBytes(doc);
    EXPECT_EQ(said(run({"import", "appointments", doc, "-", "--format", "ical"}, calendar)),
              said(1,
                   "0 appointments added to current database, 1 entry skipped; 1 of them was "
                   "already in the document.\n",
                   "standard input:4: skipped: already in the document\nquillmate-cli: "
                   "standard input: nothing imported: all 1 record was skipped\n"));
    EXPECT_EQ(fileBytes(doc), saved);
}

// That a UID is the same in every zone is the UIDs' own rule.
TEST_F(TransferCommandsTest, TheFirstExportSavesTheUidsItGaveAndLaterOnesKeepThem) {
    const std::string first = dir.file("first.ics"), later = dir.file("later.ics");
    ASSERT_EQ(run({"export", "calendar", doc, first}).code, 0);
    const std::string saved = fileBytes(doc);
    EXPECT_NE(saved.find(" UID=\"appointment-1-"), std::string::npos) << saved;
    ASSERT_EQ(run({"export", "calendar", doc, later}).code, 0);
    const auto uids = [](const std::string& text) {
        std::string lines;
        for (size_t at = 0; (at = text.find("\nUID:", at)) != std::string::npos; ++at)
            lines += text.substr(at, text.find('\r', at) - at);
        return lines;
    };
    EXPECT_EQ(uids(fileBytes(later)), uids(fileBytes(first)));
    EXPECT_EQ(fileBytes(doc), saved);
}

TEST_F(TransferCommandsTest, RefusalsAndFailuresLeaveEveryFileAsItWas) {
    writeBytes(csv, "Task,Due\nCall,12/8/2026\n");
    writeBytes(dir.file("in.vcf"), "FirstName\nAnn\n");
    const std::string usage = "usage: quillmate-cli", in = dir.file("in.vcf");
    struct Row {
        const char* label;
        int code;
        std::string message;
        const char* args;
    };
    const Row rows[] = {
        {"unknown kind", 2, usage, "export people home.pgr out.csv"},
        {"no output", 2, usage, "export persons home.pgr"},
        {"unknown field", 2, usage, "export tasks home.pgr out.csv --fields Task,Nickname"},
        {"no columns", 2, usage, "import persons home.pgr out.csv"},
        {"column twice", 2, usage, "import tasks home.pgr out.csv --columns Task,Task"},
        {"tasks as vCard", 2, "a vCard file holds persons, not tasks",
         "export tasks home.pgr x.vcf"},
        {"persons as iCalendar", 2, "holds appointments and tasks",
         "export persons home.pgr x.ics"},
        {"calendar as text", 2, "exported and imported as iCalendar",
         "export calendar home.pgr x.csv"},
        {"separator for vCard", 2, "for delimited text only",
         "export persons home.pgr x.vcf --separator tab"},
        {"group for iCalendar", 2, "--group is for vCard only",
         "export tasks home.pgr x.ics --group Friends"},
        {"unknown format", 2, "unknown --format", "export persons home.pgr x.vcf --format xml"},
        {"no such group", 1, doc + ": no group named \"friends\"",
         "export persons home.pgr x.vcf --group friends"},
        {"required column missing", 1, "You must include a task as a field to import.",
         "import tasks home.pgr out.csv --columns ,DueDate"},
        {"no card in the file", 1, in + ": no vCard in the file", "import persons home.pgr in.vcf"},
        {"no calendar in the file", 1, in + ": no calendar in the file",
         "import calendar home.pgr in.vcf --format ical"},
        {"no input file", 1, "none.csv", "import tasks home.pgr none.csv --columns Task"},
        {"no document", 1, "none.pgr", "export tasks none.pgr out.csv"},
        {"no output folder", 1, dir.file("missing") + ": cannot create a file in this folder",
         "export tasks home.pgr missing/out.csv"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        expectRefused(words(row.args), row.code, row.message);
        EXPECT_EQ(fileBytes(csv), "Task,Due\nCall,12/8/2026\n");
    }
    for (const char* name : {"x.vcf", "x.ics", "x.csv"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
}

TEST_F(TransferCommandsTest, TwoImportsIntoOneDocumentAtOnceBothLand) {
    // 20000 names each, imported by two programs started together.
    std::string names = "LastName\n";
    for (int i = 0; i < 20000; ++i)
        names += "Name" + std::to_string(i) + "\n";
    writeBytes(dir.file("a.csv"), names);
    writeBytes(dir.file("b.csv"), names);
    std::string both;
    for (const char* which : {"a", "b"})
        both += std::string("(") + QUILLMATE_CLI_BINARY + " import persons '" + doc + "' '" +
                dir.file(std::string(which) + ".csv") + "' --columns LastName || echo failed) & ";
    EXPECT_EQ(runProgram("", "true; " + both + "wait"),
              "20000 names added to current database.\n20000 names added to current database.\n");
    EXPECT_EQ(run({"info", doc}).out, "groups: 4\npersons: 40002\ntasks: 1\nappointments: 1\n");
}

TEST_F(TransferCommandsTest, DatesFollowTheSystemLocale) {
    const std::string exportDates =
        "export tasks '" + doc + "' '" + csv + "' --fields DueDate && cat '" + csv + "'";
    const std::pair<const char*, const char*> rows[] = {
        {"LANG=en_US.UTF-8", "\"DueDate\"\n\"12/24/2026\"\n"},
        {"LANG=en_US.UTF-8 LC_TIME=de_DE.UTF-8", "\"DueDate\"\n\"24.12.2026\"\n"},
        {"LC_TIME=en_US.UTF-8 LC_ALL=de_DE.UTF-8", "\"DueDate\"\n\"24.12.2026\"\n"},
    };
    for (const auto& [environment, expected] : rows)
        EXPECT_EQ(runProgram(environment, exportDates), expected) << environment;
    writeBytes(dir.file("in.csv"), "Feed cat,03.01.2027\n");
    EXPECT_EQ(runProgram("LC_ALL=de_DE.UTF-8", "import tasks '" + doc + "' '" + dir.file("in.csv") +
                                                   "' --no-header --columns Task,DueDate"),
              "1 tasks added to current database.\n");
    EXPECT_EQ(runProgram("LC_ALL=en_US.UTF-8", exportDates),
              "\"DueDate\"\n\"12/24/2026\"\n\"1/3/2027\"\n");
}

// Columns named by the header, a separator guessed, and a dry run that says what it would
// do; which header means which field is the column aliases' own rule.
TEST_F(TransferCommandsTest, AutoColumnsReadTheHeaderAndDryRunChangesNothing) {
    writeBytes(csv,
               "Exported contacts\r\n"
               "Vorname;Nachname;Geburtstag;Hobby;Ort;\r\n"
               "J\xFCrgen;M\xFCller;1.2.1970;Chess;K\xF6ln;\r\n");
    const std::string before = fileBytes(doc);
    const std::string automatic = "import persons home.pgr out.csv --columns auto --separator auto";
    const CliRun preview = run(words(automatic + " --dry-run"));
    EXPECT_EQ(said(preview.code, preview.out),
              said(0,
                   "column 1: FirstName\ncolumn 2: LastName\ncolumn 3: Birthday\n"
                   "column 4: (not imported)\ncolumn 5: City\n"
                   "dry run: 1 names added to current database. (nothing saved)\n"));
    EXPECT_NE(preview.err.find("column 4 \"Hobby\" not imported"), std::string::npos)
        << preview.err;
    EXPECT_EQ(fileBytes(doc), before);
    EXPECT_EQ(run(words(automatic)).out, "1 names added to current database.\n");

    // Nothing to map, or no header to map from: refused, nothing written.
    writeBytes(csv, "1;2;3\n4;5;6\n");
    expectRefused(words(automatic), 1, "--columns");
    expectRefused(words(automatic + " --no-header"), 2, "");
}

}  // namespace
