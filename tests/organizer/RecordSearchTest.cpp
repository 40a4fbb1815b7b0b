#include "organizer/RecordSearch.h"

#include <gtest/gtest.h>

#include "organizer/FoundRow.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/SeriesRecords.h"

namespace {

DateTime day(int year, int month, int d, int hour = 0) {
    return DateTime::fromFields(year, month, d, hour);
}

class RecordSearchTest : public testing::Test {
protected:
    void SetUp() override {
        Person anna = listedPerson("Müller, Änne", "Boiler & Co");
        anna.setNotes("Call before noon\r\nThe BOILER needs a service");
        anna.setHmPhone("(555) 123-4567");
        anna.setCity("Zürich");
        document_.add(anna);
        Person split;
        split.setFName("Ann");
        split.setLName("Arbor");
        document_.add(split);
        document_.add(listedPerson("", "Straße AG"));

        document_.add(appointmentAt("Dentist", day(2026, 3, 12, 9), day(2026, 3, 12, 10)));
        Appointment yoga =
            repeating(appointmentAt("Yoga", day(2026, 1, 5, 18), day(2026, 1, 5, 19)),
                      "FREQ=WEEKLY;BYDAY=MO");
        yoga.schedule.edit().changed.push_back({day(2026, 1, 12, 18), day(2026, 1, 12, 20),
                                                day(2026, 1, 12, 21), "Yoga with Bob", false, 0});
        document_.add(yoga);
        document_.add(repeating(appointmentAt("Piano", day(2026, 1, 1, 16), day(2026, 1, 1, 17)),
                                "FREQ=WEEKLY;COUNT=3"));

        document_.add(taskDue("Bleed the radiators", day(2026, 5, 20)));
        document_.add(taskDue("Service the boiler", day(2026, 5, 2)));  // overdue
        Task paid = taskDue("Pay the dentist", day(2026, 4, 1), Task::Done);
        paid.DoneDate = day(2026, 4, 3);
        document_.add(paid);
    }

    // "KIND ID when" and the shown text of each result of a finished search.
    std::vector<std::string> found(std::string_view typed, FoundKinds kinds = kEveryKind) {
        search_.start(typed, kinds);
        search_.finish();
        return describe(search_);
    }
    std::vector<std::string> describe(const RecordSearch& search) const {
        std::vector<std::string> lines;
        for (const FoundRecord& record : search.results()) {
            const FoundRow row = foundRow(document_, record, search.filter());
            lines.push_back(std::string(1, "PAT"[int(record.kind)]) + std::to_string(record.id) +
                            ' ' + row.when.format("%Y-%m-%d") + '/' + row.day.format("%Y-%m-%d") +
                            ' ' + foundText(row));
        }
        return lines;
    }

    FixedClock clock_{LocalTime{2026, 5, 10, 12}};
    PimDocument document_{clock_};
    RecordSearch search_{document_};
};

using Lines = std::vector<std::string>;

TEST_F(RecordSearchTest, FindsEveryTextWithoutCaseOrAccentsAndSaysWhatMatched) {
    const struct {
        const char* typed;
        Lines expected;
    } cases[] = {
        {"MULLER", {"P1 / Müller, Änne"}},
        {"änne", {"P1 / Müller, Änne"}},
        {"zurich", {"P1 / Müller, Änne - City: Zürich"}},
        {"strasse", {"P3 / Straße AG"}},
        // The line of the notes that holds the word, and the person once for two matches.
        {"boiler",
         {"P1 / Müller, Änne - Company: Boiler & Co",
          "T2 2026-05-02/2026-05-10 Service the boiler"}},
        {"needs a", {"P1 / Müller, Änne - Notes: The BOILER needs a service"}},
        // Digits alone find a number however it is written; typed separators must match.
        {"5551234567", {"P1 / Müller, Änne - Home phone: (555) 123-4567"}},
        {"123-45", {"P1 / Müller, Änne - Home phone: (555) 123-4567"}},
        {"555 1234", {}},
        // A match never spans two texts or two records.
        {"annarbor", {}},
        {"dentistyoga", {}},
        // A series once, on its next occurrence; one that is over, on its last; found by
        // the description of an occurrence changed alone too.
        {"yoga", {"A2 2026-05-11/2026-05-11 Yoga"}},
        {"bob", {"A2 2026-05-11/2026-05-11 Yoga - Changed occurrence: Yoga with Bob"}},
        {"piano", {"A3 2026-01-15/2026-01-15 Piano"}},
        // A task on its due date, shown on the day its list has it: a done one on the day
        // it was done.
        {"dentist",
         {"A1 2026-03-12/2026-03-12 Dentist", "T3 2026-04-01/2026-04-03 Pay the dentist"}},
        {"radiator", {"T1 2026-05-20/2026-05-20 Bleed the radiators"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(found(c.typed), c.expected) << c.typed;
    EXPECT_EQ(found("dentist", FoundKinds().set(size_t(FoundKind::Task))),
              (Lines{"T3 2026-04-01/2026-04-03 Pay the dentist"}));
}

TEST_F(RecordSearchTest, SlicesAndNarrowingFindWhatOneWholeSearchFinds) {
    for (const char* typed : {"e", "er", "ers", "er", "", "b", "bo", "bob", "bo", "c", "ca", "call",
                              "5", "55", "555"}) {
        // A search of its own each time, which never narrows.
        RecordSearch whole(document_);
        whole.start(typed);
        whole.finish();
        search_.start(typed);
        // A byte at a time: every search is cut wherever a slice can end.
        while (!search_.done())
            search_.more(1);
        EXPECT_EQ(describe(search_), describe(whole)) << typed;
    }
}

TEST_F(RecordSearchTest, AChangeOfTheDocumentStartsTheSearchOver) {
    search_.start("boiler");
    while (search_.results().empty())
        search_.more(40);
    ASSERT_FALSE(search_.done());
    document_.add(taskDue("Boiler check", day(2026, 6, 1)));
    search_.finish();
    EXPECT_EQ(describe(search_), (Lines{"P1 / Müller, Änne - Company: Boiler & Co",
                                        "T2 2026-05-02/2026-05-10 Service the boiler",
                                        "T4 2026-06-01/2026-06-01 Boiler check"}));
    // A finished search narrowed after a change looks through the new records too.
    document_.add(taskDue("Boilers", day(2026, 6, 2)));
    EXPECT_EQ(found("boilers"), (Lines{"T5 2026-06-02/2026-06-02 Boilers"}));
}

}  // namespace
