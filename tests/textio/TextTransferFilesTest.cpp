#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/EveryAllocationFailure.h"
#include "support/ScratchDir.h"
#include "textio/HeaderSearch.h"
#include "textio/TransferTestSupport.h"

namespace {

// Imports `text` as the command line's "--columns auto --separator auto" does.
ImportResult importThroughHeader(PimDocument& doc, TransferKind kind, const std::string& text) {
    const char separator = separatorChoices()[guessTextFormat(text).separator].value[0];
    const auto header = findHeaderLine(kind, text, fieldTokenizer(separator));
    if (!header) return {};
    auto spec = transferSpec(true, kind, header->fields, true, std::string(1, separator));
    spec.columnAlternates = header->alternates;
    return importText(kind, doc, spec, text.substr(header->offset), FixedLocale());
}

// "name|e-mail|street,city,state,zip|home,work,cell,fax|group;group" of each person (the
// groups but the universal one), the description of each task.
std::vector<std::string> described(const PimDocument& doc) {
    std::vector<std::string> out;
    for (const auto& [id, p] : doc.persons()) {
        std::string groups;
        for (const int32_t group : p.PhGroups)
            if (group != 1)
                groups += (groups.empty() ? "" : ";") + doc.phGroups().find(group)->Desc;
        std::ostringstream line;
        line << p.RName() << '|' << p.EMail() << '|' << p.Addr1() << ',' << p.City() << ','
             << p.State() << ',' << p.Zip() << '|' << p.HmPhone() << ',' << p.WkPhone() << ','
             << p.CelPhone() << ',' << p.Fax() << '|' << groups;
        out.push_back(line.str());
    }
    for (const auto& [id, t] : doc.tasks())
        out.push_back(t.Description);
    return out;
}

// Files in the shapes contacts and task services export, read through their headers.
TEST(TextTransferFiles, ReadsOtherProgramsFilesThroughTheirHeaders) {
    constexpr TransferKind kPersons = TransferKind::Persons;
    // The file, what it holds, how many of its lines are skipped, the records read.
    const std::tuple<const char*, TransferKind, size_t, std::vector<std::string>> cases[] = {
        // The record holds the labels of its phones and addresses.
        {"contacts-labelled.csv", kPersons, 0, {"Lee, Ann|ann@x.org|,,,|555 1,555 2,555 3,555 4|"}},
        // E-mail columns by kind, a mobile of the home, a display name alone.
        {"contacts-mail-kinds.csv",
         kPersons,
         0,
         {"Lee, Ann|ann@work.example|,,,|,,555 1,|", "Bo Ek|bo@home.example|,,,|,,,|"}},
        // English (UK) names, the business address where the home one is empty.
        {"contacts-uk.csv",
         kPersons,
         0,
         {"Ng, Cy||1 High St,York,Yorkshire,YO1 7HH|,,,|", "Ox, Di||3 Mill Ln,Leeds,,LS1 4AP|,,,|",
          "Po, Ed||,Ripon,,|,,,|"}},
        // Groups by categories, by labels and by group membership.
        {"contacts-categories.csv",
         kPersons,
         0,
         {"Ru, Fay||,,,|,,,|Club;Work", "Sol, Gus||,,,|,,,|Club;Family"}},
        // Sections and notes among the tasks.
        {"tasks-sections.csv", TransferKind::Tasks, 2, {"Buy milk", "Call the bank"}},
    };
    const FixedClock clock{testNow()};
    for (const auto& [file, kind, skipped, expected] : cases) {
        PimDocument doc(clock);
        doc.seedDefaultGroups();
        const ImportResult result = importThroughHeader(
            doc, kind, fileBytes(QUILLMATE_TEST_DATA "/textio/" + std::string(file)));
        EXPECT_EQ(described(doc), expected) << file;
        EXPECT_EQ(result.skipped.size(), skipped) << file;
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

// A file is read in whichever encoding it is in, whatever its reading found out about it.
TEST(TextTransferFiles, ReadsAFileInItsEncoding) {
    using namespace std::string_literals;
    const FixedClock clock{testNow()};
    const ScratchDir dir;
    const std::string files[] = {"Caf\xC3\xA9,Lee\n", "Caf\xE9,Lee\n",
                                 "\xFF\xFE"
                                 "C\0a\0f\0\xE9\0,\0L\0e\0e\0"s};
    for (const std::string& bytes : files) {
        std::ofstream(dir.file("in.csv"), std::ios::binary) << bytes;
        auto spec = transferSpec(true, TransferKind::Persons, {"FirstName", "LastName"}, false);
        spec.fileName = dir.file("in.csv");
        PimDocument doc(clock);
        ASSERT_TRUE(importFile(TransferKind::Persons, doc, spec, FixedLocale()).status) << bytes;
        EXPECT_EQ(doc.persons().begin()->second.FName(), "Caf\xC3\xA9") << bytes;
    }
}

// A file read through a window adds what its whole text adds, and skips the same lines;
// what only the whole text reads right is read whole.
TEST(TextTransferFiles, ReadsAFileThroughAWindowAsItReadsItWhole) {
    using namespace std::string_literals;
    const FixedClock clock{testNow()};
    const ScratchDir dir;
    const std::string many = [] {
        std::string rows;
        for (int i = 0; i < 40; ++i)
            rows += "Ann" + std::to_string(i) + ",\"Lee\r\nand Co\",x\r\n";
        return rows;
    }();
    const std::string files[] = {
        many,
        // Skipped lines after records that ran over several lines.
        "\"a\nb\",c\n,\n\n" + many + ",,\n",
        // Characters of two or more bytes, and Windows-1252 bytes, at every place.
        "\xEF\xBB\xBF" + many +
            "Caf\xC3\xA9,L\xE9"
            "e\n" +
            many + "\xE9\xE9\xE9,\xF0\x9F\x98\x80\n",
        // Lone CRs, as old Macintosh programs end lines.
        "Ann,Lee\rBo,Ek\r" + many,
        many + "Ann,Lee\r",
        // UTF-16 with its mark and no zero byte, and without its mark.
        "\xFF\xFE\x2D\x4E\x87\x65",
        "A\0n\0n\0,\0L\0e\0e\0\n\0"s,
        // A zero byte in other text.
        many + "Ann\0,Lee\n"s + many,
        // A record longer than the window lets through, and one that never closes.
        many + "\"" + std::string(300, 'a') + "\",Lee\n" + many,
        many + "\"open,Lee\nBo,Ek\n",
    };
    const auto spec = [&] {
        auto made = transferSpec(true, TransferKind::Persons, {"FirstName", "LastName", ""}, false);
        made.fileName = dir.file("in.csv");
        return made;
    }();
    const auto imported = [&](const auto& import) {
        PimDocument doc(clock);
        doc.seedDefaultGroups();
        const ImportResult result = import(doc);
        std::vector<std::string> outcome = described(doc);
        for (const auto& [line, reason] : result.skipped)
            outcome.push_back(std::to_string(line) + ": " + reason);
        return outcome;
    };
    for (const std::string& bytes : files) {
        std::ofstream(spec.fileName, std::ios::binary) << bytes;
        const auto expected = imported([&](PimDocument& doc) {
            return importText(TransferKind::Persons, doc, spec, bytes, FixedLocale());
        });
        const auto windowed = imported([&](PimDocument& doc) {
            return importFile(TransferKind::Persons, doc, spec, FixedLocale(), 256);
        });
        EXPECT_EQ(windowed, expected) << bytes;
    }
}

}  // namespace
