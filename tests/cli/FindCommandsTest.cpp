#include "CliFixture.h"

namespace {

class FindCommands : public CliFixture {};

TEST_F(FindCommands, ListsKindIdDateAndWhatMatchedOneEscapedLineEach) {
    for (const std::vector<std::string>& add : std::vector<std::vector<std::string>>{
             {"add-person", doc, "--first", "Jörg", "--last", "Müller", "--home-phone", "555-0101"},
             {"add-task", doc, "Call Jörg\tback", "--due", "2026-12-20"},
             {"add-appointment", doc, "Muller lunch", "--date", "2026-12-21", "--from", "12:00",
              "--to", "13:00"},
         })
        ASSERT_EQ(run(add).code, 0) << add[0];

    const struct {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"find", doc, "MULLER"},
         "person\t1\t\tMüller, Jörg\nappointment\t1\t2026-12-21\tMuller lunch\n"},
        {{"find", doc, "jorg", "--kind", "tasks"}, "task\t1\t2026-12-20\tCall Jörg\\tback\n"},
        {{"find", doc, "5550101"}, "person\t1\t\tMüller, Jörg - Home phone: 555-0101\n"},
        {{"find", doc, "dentist"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(said(run(c.args)), said(0, c.out)) << c.args[2];
    expectRefused({"find", doc, "x", "--kind", "notes"}, 2,
                  "--kind wants persons, appointments or tasks, not \"notes\"");
}

}  // namespace
