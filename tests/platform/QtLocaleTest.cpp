#include "platform/qt/QtLocale.h"

#include <gtest/gtest.h>

#include "records/DateParse.h"
#include "records/DateTime.h"

namespace {

TEST(QtLocale, TranslatesQtFormatsIntoPictures) {
    const std::pair<const char*, const char*> cases[] = {
        {"M/d/yy", "M/d/yyyy"},
        {"dd.MM.yyyy", "dd.MM.yyyy"},
        {"dddd, MMMM d, yyyy", "dddd, MMMM d, yyyy"},
        {"h:mm AP", "h:mm tt"},
        {"h:mm:ss\u202fAP t", "h:mm:ss\u202ftt"},
        {"HH:mm:ss t", "HH:mm:ss"},
        {"h:mm", "H:mm"},  // Qt's h is 24-hour without a marker
        {"'Le' d MMMM yyyy", "'Le' d MMMM yyyy"},
        {"ap h:mm", "tt h:mm"},
        {"Bh:mm", "tth:mm"},
    };
    for (const auto& [qt, picture] : cases)
        EXPECT_EQ(QtLocale::pictureFromQtFormat(QString::fromUtf8(qt)), picture) << qt;
}

TEST(QtLocale, DatesAndTimesReadBackInEveryLocaleForm) {
    const DateTime when = DateTime::fromFields(2031, 7, 4, 21, 5, 9);
    for (const char* name :
         {"en_US", "en_CA", "es_US", "es_CO", "el_GR", "sq_AL", "bg_BG", "nds_DE", "zh_TW", "ko_KR",
          "de_DE", "fr_FR", "ja_JP", "pt_BR", "C", "POSIX"}) {
        const QtLocale locale{QLocale(QString::fromLatin1(name))};
        const DateParser parser(locale);
        const std::string shortTime = when.formatTime(locale, TimeStyle::NoSeconds);
        const std::string longTime = when.formatTime(locale);
        EXPECT_EQ(parser.parseTime(shortTime), (TimeOfDay{21, 5, 0})) << name << ": " << shortTime;
        EXPECT_EQ(parser.parseTime(longTime), (TimeOfDay{21, 5, 9})) << name << ": " << longTime;
        const std::string date = when.formatDate(locale);
        EXPECT_EQ(parser.parseDate(date), when.date()) << name << ": " << date;
    }
    // C and POSIX write times in the 12-hour form, without seconds.
    const DateTime midnight = DateTime::fromFields(2026, 12, 6, 0, 5);
    for (const char* name : {"C", "POSIX"}) {
        const QtLocale locale{QLocale(QString::fromLatin1(name))};
        EXPECT_EQ(when.formatTime(locale, TimeStyle::NoSeconds), "9:05 PM") << name;
        EXPECT_EQ(midnight.formatTime(locale, TimeStyle::NoSeconds), "12:05 AM") << name;
        EXPECT_EQ(DateParser(locale).parseTime("12:05 AM"), (TimeOfDay{0, 5, 0})) << name;
    }
}

// What the reports take of the locale: the clock its times keep and the day its weeks start.
TEST(QtLocale, TwentyFourHourClockAndFirstDayOfWeekFollowTheLocale) {
    const std::tuple<const char*, bool, int> cases[] = {
        {"en_US", false, 1}, {"de_DE", true, 2}, {"fr_FR", true, 2}, {"C", false, 2}};
    for (const auto& [name, twentyFour, firstDay] : cases) {
        const QtLocale locale{QLocale(QString::fromLatin1(name))};
        EXPECT_EQ(usesTwentyFourHourClock(locale), twentyFour) << name;
        EXPECT_EQ(locale.firstDayOfWeek(), firstDay) << name;
    }
}

}  // namespace
