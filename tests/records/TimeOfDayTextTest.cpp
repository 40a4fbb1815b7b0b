#include "records/TimeOfDayText.h"

#include <gtest/gtest.h>

#include "records/DateParse.h"
#include "support/FixedLocale.h"

namespace {

// One reader, three sets of rules: where the dialog, the command line and the importers
// agree and where they part. -1 stands for "not a time".
TEST(TimeOfDayText, TheDialogTheCommandLineAndTheImportersReadOneGrammar) {
    const FixedLocale locale;
    const DateParser importer(locale);
    const auto imported = [&](const char* text) {
        const auto time = importer.parseTime(text);
        return time ? time->hour * 60 + time->minute : -1;
    };
    const auto read = [](const char* text, const TimeRules& rules) {
        return readTimeOfDay(text, rules).value_or(-1);
    };
    const struct {
        const char* text;
        int dialog;
        int cli;
        int importer;
    } cases[] = {
        // All agree.
        {"13:30", 13 * 60 + 30, 13 * 60 + 30, 13 * 60 + 30},
        {"0:05", 5, 5, 5},
        {"23:59", 23 * 60 + 59, 23 * 60 + 59, 23 * 60 + 59},
        {"24:00", -1, -1, -1},
        {"9:60", -1, -1, -1},
        {"13:00 PM", -1, -1, -1},
        // The afternoon guess is the dialog's alone.
        {"1:30", 13 * 60 + 30, 90, 90},
        {"4:59", 16 * 60 + 59, 4 * 60 + 59, 4 * 60 + 59},
        {"5:00", 5 * 60, 5 * 60, 5 * 60},
        // Markers: the dialog and the importers, never the command line.
        {"1:30 PM", 13 * 60 + 30, -1, 13 * 60 + 30},
        {"12:00 AM", 0, -1, 0},
        {"9 pm", 21 * 60, -1, 21 * 60},
        // The dialog's compact forms.
        {"130p", 13 * 60 + 30, -1, -1},
        {"8h30", 8 * 60 + 30, -1, -1},
        {"1330", 13 * 60 + 30, -1, -1},
        {"9", 9 * 60, -1, -1},
        {"13.30", 13 * 60 + 30, -1, 13 * 60 + 30},
        {" 9:30", 9 * 60 + 30, -1, 9 * 60 + 30},
        // Other programs' one-digit minutes are the importers' alone.
        {"9:3", -1, -1, 9 * 60 + 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.text, kTypedTimeRules), c.dialog) << c.text;
        EXPECT_EQ(read(c.text, kStrictTimeRules), c.cli) << c.text;
        EXPECT_EQ(imported(c.text), c.importer) << c.text;
    }
}

}  // namespace
