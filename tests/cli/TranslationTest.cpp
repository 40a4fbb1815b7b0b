#include "CliFixture.h"
#include "platform/Translate.h"

namespace {

// What the German catalogue the build made says for `text`, by gettext's own tool.
std::string german(const std::string& text) {
    return runShell("TEXTDOMAINDIR='" QUILLMATE_LOCALE_BUILD_DIR
                    "' LANGUAGE=de LC_ALL=C.UTF-8 gettext -d quillmate -- '" +
                    text + "'")
        .output;
}

using Translation = CliFixture;

// LANGUAGE alone chooses the language, also on a machine with no LANG.
TEST_F(Translation, LanguageSpeaksGermanInHelpAndErrors) {
    ASSERT_NE(german("Commands:"), "Commands:") << "no German catalogue in the build";
    const std::string help = runProgram("LANGUAGE=de", "--help");
    EXPECT_NE(help.find(german("Commands:")), std::string::npos) << help;

    const std::string error = runProgram("LANGUAGE=de", "frobnicate 2>&1");
    EXPECT_NE(error.find(fillIn(german("unknown command \"%s\""), {"frobnicate"})),
              std::string::npos)
        << error;
}

// A language chosen by LANGUAGE alone writes times as it does, not as the C locale does.
TEST_F(Translation, LanguageAloneShowsItsOwnTimes) {
    ASSERT_EQ(run(words("add-appointment home.pgr Dentist --date 2026-12-07 --from 18:00 --to "
                        "19:00"))
                  .code,
              0);
    const std::string day =
        runProgram("LANGUAGE=de LANG=C.UTF-8", "day " + doc + " --date 2026-12-07");
    EXPECT_NE(day.find("18:00-19:00\tDentist"), std::string::npos) << day;
}

// A German locale may write a decimal comma; no file the program writes may pick it up.
TEST_F(Translation, FilesAreTheSameInEveryLanguage) {
    const CliRun added = run(words(
        "add-appointment home.pgr Dentist --date 2026-12-07 --from 09:15 --to 10:30 --alarm 15"));
    ASSERT_EQ(added.code, 0) << added.err;
    // The first export gives the appointment its UID, kept in the document: resaved after it.
    const std::string written = "export appointments '" + doc + "' '" + dir.file("out.ics") +
                                "' && " + QUILLMATE_CLI_BINARY + " resave '" + doc + "' '" +
                                dir.file("out.pgr") + "' && cat '" + dir.file("out.pgr") + "' '" +
                                dir.file("out.ics") + "' | grep -v '^DTSTAMP'";
    const std::string english = runProgram("LC_ALL=C.UTF-8", written);
    const std::string german = runProgram("LANGUAGE=de LC_ALL=de_DE.UTF-8", written);
    ASSERT_NE(english.find("BEGIN:VCALENDAR"), std::string::npos) << english;
    EXPECT_EQ(german, english);
}

}  // namespace
