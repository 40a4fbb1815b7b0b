#include <gtest/gtest.h>

#include "docfile/DocumentReader.h"
#include "docfile/DocumentWriter.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/TzGuard.h"

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

// A wall time in the hour that repeats when summer time ends names two instants; the
// seconds read say which, and a plain save writes the same ones back.
TEST(RepeatedHourTest, ASaveKeepsWhichOfTheTwoInstantsWasStored) {
    struct Case {
        const char* zone;
        const char* first;   // the earlier instant of a repeated wall time
        const char* second;  // the later one
    };
    const Case cases[] = {
        {"Australia/Lord_Howe", "1712413800", "1712415600"},  // 7 April 2024, 01:30
        {"Europe/Berlin", "1761438600", "1761442200"},        // 26 October 2025, 02:30
    };
    for (const Case& c : cases) {
        const TzGuard tz(c.zone);
        const FixedClock clock{LocalTime{2024, 1, 1, 10, 0, 0, 0}};
        const std::string first = c.first;
        const std::string second = c.second;
        const std::string text =
            "<?xml version=\"1.0\"?><Pim Version=\"16\"><Tasks LastID=\"1\">"
            "<Task ID=\"1\" Description=\"T\" Priority=\"3\" DueDate=\"" +
            second + "\" DoneDate=\"" + first +
            "\" /></Tasks><Appointments LastID=\"2\">"
            "<Appointment ID=\"1\" Description=\"A\" DueDate=\"" +
            first + "\" StartTime=\"" + first + "\" EndTime=\"" + second +
            "\" Alarm=\"1\" AlarmTime=\"" + second +
            "\" Done=\"0\" />"
            // A second record with no times of its own keeps the first one's.
            "<Appointment ID=\"2\" Description=\"B\" /></Appointments></Pim>";
        PimContents contents;
        ASSERT_TRUE(readDocumentText(text, contents, DateTime::now(clock)).ok());
        PimDocument document(clock);
        document.adoptContents(std::move(contents));
        const std::string saved = formatDocument(document);
        EXPECT_TRUE(contains(saved, "DueDate=\"" + second + "\" DoneDate=\"" + first + "\""))
            << c.zone << "\n"
            << saved;
        const std::string times = "DueDate=\"" + first + "\" StartTime=\"" + first +
                                  "\" EndTime=\"" + second + "\" Alarm=\"1\" AlarmTime=\"" +
                                  second + "\"";
        EXPECT_TRUE(contains(saved, "Description=\"A\" " + times)) << c.zone << "\n" << saved;
        EXPECT_TRUE(contains(saved, "Description=\"B\" " + times)) << c.zone << "\n" << saved;
    }
}
