#include <gtest/gtest.h>

#include "support/EveryAllocationFailure.h"
#include "support/ScratchDir.h"
#include "textio/HeaderSearch.h"
#include "textio/TransferTestSupport.h"

namespace {

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
        using namespace std::string_view_literals;
        std::string line;
        for (const std::string_view part : {p.RName(),   "|"sv,        p.EMail(),
                                            "|"sv,       p.Addr1(),    ","sv,
                                            p.City(),    ","sv,        p.State(),
                                            ","sv,       p.Zip(),      "|"sv,
                                            p.HmPhone(), ","sv,        p.WkPhone(),
                                            ","sv,       p.CelPhone(), ","sv,
                                            p.Fax(),     "|"sv,        std::string_view(groups)})
            line += part;
        out.push_back(line);
    }
    for (const auto& [id, t] : doc.tasks())
        out.push_back(t.Description);
    return out;
}

// Files in the shapes contacts and task services export, read through their headers.
TEST(TextTransferFiles, ReadsOtherProgramsFilesThroughTheirHeaders) {
    struct Case {
        const char* file;
        TransferKind kind;
        std::vector<std::string> expected;
        size_t skipped;
    };
    const Case cases[] = {
        // The record holds the labels of its phones and addresses.
        {"contacts-labelled.csv",
         TransferKind::Persons,
         {"Lee, Ann|ann@x.org|,,,|555 1,555 2,555 3,555 4|"},
         0},
        // E-mail columns by kind, a mobile of the home, a display name alone.
        {"contacts-mail-kinds.csv",
         TransferKind::Persons,
         {"Lee, Ann|ann@work.example|,,,|,,555 1,|", "Bo Ek|bo@home.example|,,,|,,,|"},
         0},
        // English (UK) names, the business address where the home one is empty.
        {"contacts-uk.csv",
         TransferKind::Persons,
         {"Ng, Cy||1 High St,York,Yorkshire,YO1 7HH|,,,|", "Ox, Di||3 Mill Ln,Leeds,,LS1 4AP|,,,|",
          "Po, Ed||,Ripon,,|,,,|"},
         0},
        // Groups by categories, by labels and by group membership.
        {"contacts-categories.csv",
         TransferKind::Persons,
         {"Ru, Fay||,,,|,,,|Club;Work", "Sol, Gus||,,,|,,,|Club;Family"},
         0},
        // Sections and notes among the tasks.
        {"tasks-sections.csv", TransferKind::Tasks, {"Buy milk", "Call the bank"}, 2},
    };
    const FixedClock clock{testNow()};
    for (const Case& c : cases) {
        PimDocument doc(clock);
        doc.seedDefaultGroups();
        const ImportResult result = importThroughHeader(
            doc, c.kind, fileBytes(QUILLMATE_TEST_DATA "/textio/" + std::string(c.file)));
        EXPECT_EQ(described(doc), c.expected) << c.file;
        EXPECT_EQ(result.skipped.size(), c.skipped) << c.file;
    }
}

TEST(TextTransferFiles, RunningOutOfMemoryAnywhereInAnImportAddsNothingAndSaysSo) {
    const FixedClock clock{testNow()};
    const std::string bytes = fileBytes(QUILLMATE_TEST_DATA "/textio/webmail-contacts.csv");
    const auto spec =
        transferSpec(true, TransferKind::Persons,
                     {"", "FirstName", "LastName", "Notes", "E-Mail", "HomePhone", "Company"});
    PimDocument doc(clock);
    expectEveryAllocationFailureReported(
        [&] { return importText(TransferKind::Persons, doc, spec, bytes, FixedLocale()).status; },
        "not enough memory to import it",
        [&] { return doc.persons().empty() && !doc.isModified(); });
    EXPECT_EQ(doc.persons().size(), 3u);
}

}  // namespace
