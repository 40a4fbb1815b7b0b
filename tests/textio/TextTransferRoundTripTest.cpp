#include <gtest/gtest.h>

#include "textio/TextExport.h"
#include "textio/TransferTestSupport.h"

namespace {

// Values as the importer leaves them: trimmed, with the display name and the white pages.
Person stored(Person p) {
    p.setRName(p.displayName());
    p.WhitePages = 1;
    return p;
}

// Every field filled with what delimited text finds hardest.
Person awkwardPerson() {
    Person p;
    p.setFName("Ann \"Nan\"");
    p.setLName("O'Hara-M\xC3\xBCller");
    p.setCompany("Smith \"Tools\", Ltd.");
    p.setPosition("Boss");
    p.setAddr1("1, Main St; Apt | 4");
    p.setAddr2("c/o \"\"Ed\"\"");
    p.setCity("Z\xC3\xBCrich");
    p.setState("it's");
    p.setZip("8001");
    p.setHmPhone("+41 44 000");
    p.setWkPhone("(555) 010");
    p.setWkExt("12");
    p.setFax("none");
    p.setPager("''");
    p.setCelPhone("555\t011");
    p.setEMail("ann@example.org");
    p.setWebPage("https://example.org/?a=1&b=2");
    p.setNotes("line 1\r\nline 2\r\n\"quoted\" 'too'\n\xE2\x82\xAC 5");
    return stored(p);
}

// Mostly empty fields, which need a separator other than a space.
Person sparsePerson() {
    Person p;
    p.setCompany("Acme");
    p.setNotes("x");
    return stored(p);
}

// Values a file without enclosers can carry: no separators, line breaks or blanks at the
// ends, but quotes and backslashes as they come.
Person plainPerson() {
    Person p;
    p.setFName("\"Bo\"");
    p.setLName("O'Neil");
    p.setAddr1("C:\\Users\\bo");
    p.setCity("K\u00F8benhavn");
    p.setNotes("a \\n b");
    return stored(p);
}

Appointment appointment(const char* description, int day, int hour, int warning) {
    const DateTime start = DateTime::fromFields(2026, 12, day, hour, 15);
    return appointmentAt(description, start, start + DateTimeSpan::fromParts(0, 1, 30, 0),
                         warning > 0 ? std::optional<int>(warning) : std::nullopt);
}

template <typename Records>
void expectSame(const Records& from, const Records& to) {
    ASSERT_EQ(to.size(), from.size());
    for (const auto& [id, record] : from)
        EXPECT_EQ(*to.find(id), record);
}

struct Format {
    const char* separator;
    const char* encloser;
};

class TextTransferRoundTrip : public ::testing::TestWithParam<Format> {
protected:
    // Exports `kind` from `from` and imports the text into a new document.
    void roundTrip(TransferKind kind, const PimDocument& from, PimDocument& to) {
        const auto spec = [&](bool forImport) {
            return transferSpec(forImport, kind, exportFieldNames(kind), true, GetParam().separator,
                                GetParam().encloser);
        };
        const std::string text = exportText(kind, from, spec(false), locale);
        const ImportResult result = importText(kind, to, spec(true), text, locale);
        EXPECT_TRUE(result.skipped.empty()) << text;
    }
    bool enclosed() const { return *GetParam().encloser != 0; }
    // Runs of spaces count as one separator, so a space cannot carry empty values.
    bool blankSeparator() const { return GetParam().separator[0] == ' '; }

    FixedClock clock{testNow()};
    FixedLocale locale;
};

TEST_P(TextTransferRoundTrip, RecordsComeBackUnchanged) {
    PimDocument from(clock);
    if (enclosed()) {
        from.add(awkwardPerson());
        if (!blankSeparator()) from.add(sparsePerson());
    } else {
        from.add(plainPerson());
    }
    const char* text =
        enclosed() ? "Call \"Bo\", then 'Al' |; Z\xC3\xBCrich\r\nand more" : "Plain\\text";
    for (int priority = 0; priority <= 3; ++priority)
        from.add(taskDue(text, DateTime::fromFields(2026, 12, 10 + priority), priority));
    for (const auto& [day, hour, warning] : {std::tuple{8, 9, 0}, {8, 11, 15}, {9, 21, 60}})
        from.add(appointment(text, day, hour, warning));
    PimDocument to(clock);
    for (const TransferKind kind :
         {TransferKind::Persons, TransferKind::Tasks, TransferKind::Appointments})
        roundTrip(kind, from, to);
    expectSame(from.persons(), to.persons());
    expectSame(from.tasks(), to.tasks());
    expectSame(from.appointments(), to.appointments());
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, TextTransferRoundTrip,
                         ::testing::Values(Format{",", "\""}, Format{";", "\""}, Format{"|", "\""},
                                           Format{"\t", "\""}, Format{" ", "\""}, Format{",", "'"},
                                           Format{";", "'"}, Format{"|", "'"}, Format{"\t", "'"},
                                           Format{" ", "'"}, Format{",", ""}, Format{";", ""},
                                           Format{"|", ""}, Format{"\t", ""}));

}  // namespace
