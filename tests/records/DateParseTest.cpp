#include "records/DateParse.h"

#include <gtest/gtest.h>

#include "platform/FixedLocale.h"
#include "records/DatePicture.h"

namespace {

// A day-first locale with a literal word between its long fields.
class SpanishLikeLocale : public FixedLocale {
public:
    std::string shortDatePicture() const override { return "dd/MM/yyyy"; }
    std::string longDatePicture() const override { return "dddd, d 'de' MMMM 'de' yyyy"; }
    std::string shortTimePicture() const override { return "H:mm"; }
};

// Year first, with the fields marked by characters outside quotes.
class JapaneseLikeLocale : public FixedLocale {
public:
    std::string shortDatePicture() const override { return "yyyy/MM/dd"; }
    std::string longDatePicture() const override {
        return "yyyy\xE5\xB9\xB4M\xE6\x9C\x88"
               "d\xE6\x97\xA5";
    }
};

struct DateCase {
    const char* text;
    int year, month, day;  // 0 when the text is no date
};

void expectDates(const DateParser& parser, std::initializer_list<DateCase> cases) {
    for (const DateCase& c : cases) {
        const DateTime parsed = parser.parseDate(c.text);
        if (c.year == 0) {
            EXPECT_TRUE(parsed.isNull()) << c.text;
        } else {
            EXPECT_EQ(parsed, DateTime::fromFields(c.year, c.month, c.day)) << c.text;
        }
    }
}

TEST(DateParse, ReadsTheLocaleFormsAndIso) {
    const FixedLocale locale;
    expectDates(DateParser(locale), {
                                        {"12/6/2026", 2026, 12, 6},
                                        {" 12/06/2026 ", 2026, 12, 6},
                                        {"12/6/26", 2026, 12, 6},
                                        {"1/2/49", 2049, 1, 2},
                                        {"1/2/50", 1950, 1, 2},
                                        {"2/29/2028", 2028, 2, 29},
                                        {"Sunday, December 6, 2026", 2026, 12, 6},
                                        {"december 6, 2026", 2026, 12, 6},
                                        {"6 DEC 2026", 2026, 12, 6},
                                        {"2026-12-06", 2026, 12, 6},
                                        {"2026-12-06T09:30", 2026, 12, 6},
                                        {"2026/12/06", 2026, 12, 6},
                                        {"12/6/2026 9:30 AM", 2026, 12, 6},
                                        {"", 0, 0, 0},
                                        {"2/30/2026", 0, 0, 0},
                                        {"13/1/2026", 0, 0, 0},
                                        {"12/6", 0, 0, 0},
                                        {"2026-13-01", 0, 0, 0},
                                        {"tomorrow", 0, 0, 0},
                                        {"12/6/2026 lunch", 0, 0, 0},
                                        {"9:30", 0, 0, 0},
                                        {"99999999/1/1", 0, 0, 0},
                                    });
}

TEST(DateParse, FollowsTheLocaleOrderOfFields) {
    const SpanishLikeLocale spanish;
    expectDates(DateParser(spanish), {
                                         {"06/12/2026", 2026, 12, 6},
                                         {"6/12/26", 2026, 12, 6},
                                         {"domingo, 6 de diciembre de 2026", 0, 0, 0},
                                         {"Sunday, 6 de December de 2026", 2026, 12, 6},
                                         {"2026-12-06", 2026, 12, 6},
                                     });
    const JapaneseLikeLocale japanese;
    expectDates(DateParser(japanese), {
                                          {"2026/12/06", 2026, 12, 6},
                                          {"2026\xE5\xB9\xB4"
                                           "12\xE6\x9C\x88"
                                           "6\xE6\x97\xA5",
                                           2026, 12, 6},
                                          {"26/12/06", 2026, 12, 6},
                                      });
}

TEST(DateParse, ReadsWhatTheFormatterWrites) {
    const SpanishLikeLocale spanish;
    const FixedLocale english;
    for (const Locale* locale :
         {static_cast<const Locale*>(&english), static_cast<const Locale*>(&spanish)}) {
        const DateParser parser(*locale);
        const DateTime when = DateTime::fromFields(2031, 7, 4, 15, 5);
        EXPECT_EQ(parser.parseDate(when.formatDate(*locale)), when.date());
        EXPECT_EQ(parser.parseDate(when.formatDate(*locale, DateStyle::Long)), when.date());
        EXPECT_EQ(parser.parseTime(when.formatTime(*locale, TimeStyle::NoSeconds)),
                  (TimeOfDay{15, 5, 0}));
    }
}

TEST(DateParse, ReadsTwelveAndTwentyFourHourTimes) {
    const FixedLocale locale;
    const DateParser parser(locale);
    struct Case {
        const char* text;
        std::optional<TimeOfDay> expected;
    };
    const Case cases[] = {
        {"9:30 AM", TimeOfDay{9, 30, 0}},
        {"9:30 PM", TimeOfDay{21, 30, 0}},
        {"9:30pm", TimeOfDay{21, 30, 0}},
        {"9:30\xE2\x80\xAFPM", TimeOfDay{21, 30, 0}},
        {"12:00 AM", TimeOfDay{0, 0, 0}},
        {"12:15 PM", TimeOfDay{12, 15, 0}},
        {"9 PM", TimeOfDay{21, 0, 0}},
        {"21:30", TimeOfDay{21, 30, 0}},
        {"09:30:45", TimeOfDay{9, 30, 45}},
        {"9.30", TimeOfDay{9, 30, 0}},
        {"2026-12-06T09:30", TimeOfDay{9, 30, 0}},
        {"12/6/2026 3:45 PM", TimeOfDay{15, 45, 0}},
        {"", std::nullopt},
        {"9", std::nullopt},
        {"24:00", std::nullopt},
        {"9:60", std::nullopt},
        {"13:00 PM", std::nullopt},
        {"0:30 AM", std::nullopt},
        {"noon", std::nullopt},
        {"9:30 tomorrow", std::nullopt},
        {"12/6/2026", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parser.parseTime(c.text), c.expected) << c.text;
    }
}

}  // namespace
