#include <gtest/gtest.h>

#include "support/EveryAllocationFailure.h"
#include "support/ScratchDir.h"
#include "textio/HeaderSearch.h"
#include "textio/TextExport.h"
#include "textio/TransferTestSupport.h"

namespace {

const std::vector<std::string> kWebmailColumns = {"",       "FirstName", "LastName", "Notes",
                                                  "E-Mail", "HomePhone", "Company"};

// Files as other programs write them, imported and then exported with every field; the
// export must match the file's ".expected.csv".
TEST(TextTransferFiles, ImportsWhatOtherProgramsWrite) {
    struct Case {
        const char* file;
        TransferKind kind;
        const char* separator;
        bool header;
        int added;
        std::vector<std::string> columns;
    };
    const std::vector<std::string> tasks = {"Task", "DueDate", "Priority"},
                                   appointments = {"Appointment", "Date",    "StartTime",
                                                   "EndTime",     "Alarmed", "AlarmTime"};
    const Case cases[] = {
        {"webmail-contacts.csv", TransferKind::Persons, ",", true, 3, kWebmailColumns},
        {"spreadsheet-tasks.txt", TransferKind::Tasks, "\t", true, 3, tasks},
        {"organizer-appointments.csv", TransferKind::Appointments, ";", false, 2, appointments}};
    const FixedClock clock{testNow()};
    const FixedLocale locale;
    const std::string data = QUILLMATE_TEST_DATA "/textio/";
    for (const Case& c : cases) {
        PimDocument doc(clock);
        auto in = transferSpec(true, c.kind, c.columns, c.header, c.separator);
        in.fileName = data + c.file;
        const ImportResult result = importFile(c.kind, doc, in, locale);
        EXPECT_EQ(result.added, c.added) << c.file << result.status.message();
        const auto out = transferSpec(false, c.kind, exportFieldNames(c.kind));
        EXPECT_EQ(exportText(c.kind, doc, out, locale), fileBytes(data + c.file + ".expected.csv"))
            << c.file;
    }
}

// Imports `text` as the command line's "--columns auto --separator auto" does.
ImportResult importThroughHeader(PimDocument& doc, TransferKind kind, const std::string& text) {
    const FormatGuess guess = guessTextFormat(text);
    FieldTokenizer tokenizer;
    tokenizer.SetSeparator(separatorChoices()[guess.separator].value[0]);
    const auto header = findHeaderLine(kind, text, tokenizer);
    if (!header) return {};
    auto spec = transferSpec(true, kind, header->fields, true,
                             std::string(1, separatorChoices()[guess.separator].value[0]));
    spec.columnAlternates = header->alternates;
    return importText(kind, doc, spec, text.substr(header->offset), FixedLocale());
}

// "name|e-mail|street,city,state,zip|home,work,cell,fax|group;group" of each person (the
// groups but the universal one), the description of each task.
std::vector<std::string> described(const PimDocument& doc) {
    std::vector<std::string> out;
    for (const auto& [id, p] : doc.persons()) {
        std::string groups;
        for (const int32_t group : p.PhGroups) {
            if (group == 1) continue;
            groups += (groups.empty() ? "" : ";") + doc.phGroups().find(group)->Desc;
        }
        out.push_back(p.RName + "|" + p.EMail + "|" + p.Addr1 + "," + p.City + "," + p.State + "," +
                      p.Zip + "|" + p.HmPhone + "," + p.WkPhone + "," + p.CelPhone + "," + p.Fax +
                      "|" + groups);
    }
    for (const auto& [id, t] : doc.tasks())
        out.push_back(t.Description);
    return out;
}

// Files in the shapes contacts and task services export, read through their headers.
TEST(TextTransferFiles, ReadsOtherProgramsFilesThroughTheirHeaders) {
    struct Case {
        const char* shape;
        TransferKind kind;
        std::string text;
        std::vector<std::string> expected;
        size_t skipped;
    };
    const Case cases[] = {
        {"contacts export whose record holds the labels of its phones and addresses",
         TransferKind::Persons,
         "Name,Given Name,Family Name,Nickname,Birthday,Gender,Location,Billing Information,"
         "Directory Server,Mileage,Language,Hobby,Sensitivity,Priority,Subject,"
         "E-mail 1 - Type,E-mail 1 - Value,Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,"
         "Phone 2 - Value,Phone 3 - Type,Phone 3 - Value,Phone 4 - Type,Phone 4 - Value,"
         "Phone 5 - Type,Phone 5 - Value,Address 1 - Type,Address 1 - Formatted,Address 2 - "
         "Type,Address 2 - Formatted\n"
         "Ann Lee,Ann,Lee,,,,,,,,,,,,,Home,ann@x.org,Home,555 1,Work,555 2,Mobile,555 3,"
         "Work Fax,555 4,Pager,555 5,Home,1 Elm St,Work,2 Oak Rd\n",
         {"Lee, Ann|ann@x.org|,,,|555 1,555 2,555 3,555 4|"},
         0},
        {"e-mail columns by kind, a mobile of the home, a display name alone",
         TransferKind::Persons,
         "First Name,Last Name,Display Name,Email Home,Email Work,Email Other,Home Mobile\n"
         "Ann,Lee,Ann Lee,,ann@work.example,ann@other.example,555 1\n"
         ",,Bo Ek,bo@home.example,bo@work.example,,\n",
         {"Lee, Ann|ann@work.example|,,,|,,555 1,|", "Bo Ek|bo@home.example|,,,|,,,|"},
         0},
        {"mail program in English (UK), the business address where the home one is empty",
         TransferKind::Persons,
         "First Name,Last Name,Home Address,Home Town,Home County,Home Post Code,Work Address,"
         "Work Town,Work County,Work Post Code,Organisation\n"
         "Cy,Ng,1 High St,York,Yorkshire,YO1 7HH,2 Low Rd,Hull,,HU1 1AA,Ng Ltd\n"
         "Di,Ox,,,,,3 Mill Ln,Leeds,,LS1 4AP,\n"
         "Ed,Po,,Ripon,,,4 Dock St,Hull,,HU1 2BB,\n",
         {"Ng, Cy||1 High St,York,Yorkshire,YO1 7HH|,,,|", "Ox, Di||3 Mill Ln,Leeds,,LS1 4AP|,,,|",
          "Po, Ed||,Ripon,,|,,,|"},
         0},
        {"groups by categories, labels and group membership",
         TransferKind::Persons,
         "First Name,Last Name,Categories\n"
         "Fay,Ru,Club; Work\n"
         "Gus,Sol,\"* myContacts ::: Club ::: Family\"\n",
         {"Ru, Fay||,,,|,,,|Club;Work", "Sol, Gus||,,,|,,,|Club;Family"},
         0},
        {"task service with sections and notes among its tasks",
         TransferKind::Tasks,
         "TYPE,CONTENT,DESCRIPTION,PRIORITY,INDENT,AUTHOR,RESPONSIBLE,DATE,DATE_LANG,TIMEZONE\n"
         "section,Errands,,,,,,,,\n"
         "task,Buy milk,Oat if they have it,4,1,,,2026-12-08,en,\n"
         "note,The receipt is in the drawer,,,,,,,,\n"
         "task,Call the bank,,1,1,,,,en,\n",
         {"Buy milk", "Call the bank"},
         2},
    };
    const FixedClock clock{testNow()};
    for (const Case& c : cases) {
        PimDocument doc(clock);
        doc.seedDefaultGroups();
        const ImportResult result = importThroughHeader(doc, c.kind, c.text);
        EXPECT_EQ(described(doc), c.expected) << c.shape;
        EXPECT_EQ(result.skipped.size(), c.skipped) << c.shape;
    }
}

TEST(TextTransferFiles, RunningOutOfMemoryAnywhereInAnImportAddsNothingAndSaysSo) {
    const FixedClock clock{testNow()};
    const std::string bytes = fileBytes(QUILLMATE_TEST_DATA "/textio/webmail-contacts.csv");
    const auto spec = transferSpec(true, TransferKind::Persons, kWebmailColumns);
    PimDocument doc(clock);
    expectEveryAllocationFailureReported(
        [&] { return importText(TransferKind::Persons, doc, spec, bytes, FixedLocale()).status; },
        "not enough memory to import it",
        [&] { return doc.persons().empty() && !doc.isModified(); });
    EXPECT_EQ(doc.persons().size(), 3u);
}

}  // namespace
