#include "records/DateParse.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/FixedLocale.h"

namespace {

// A locale that writes dates with the pictures given.
class DateLocale : public FixedLocale {
public:
    DateLocale(std::string shortPicture, std::string longPicture)
        : short_(std::move(shortPicture)), long_(std::move(longPicture)) {}
    std::string shortDatePicture() const override { return short_; }
    std::string longDatePicture() const override { return long_; }

private:
    std::string short_, long_;
};

TEST(DateParse, ReadsDatesInTheLocaleFormsAndIso) {
    const FixedLocale us;
    // Day first, with a literal word between the long form's fields; year first, the fields
    // marked by characters outside quotes.
    const DateLocale es("dd/MM/yyyy", "dddd, d 'de' MMMM 'de' yyyy");
    const DateLocale ja("yyyy/MM/dd", "yyyy年M月d日");
    // The locale, the text and the date read from it (year 0: none).
    const std::tuple<const Locale&, const char*, int, int, int> cases[] = {
        {us, "12/6/2026", 2026, 12, 6},
        {us, " 12/06/26 ", 2026, 12, 6},
        {us, "1/2/50", 1950, 1, 2},
        {us, "Sunday, December 6, 2026", 2026, 12, 6},
        {us, "6 DEC 2026", 2026, 12, 6},
        {us, "2026-12-06T09:30", 2026, 12, 6},
        {us, "12/6/2026 9:30 AM", 2026, 12, 6},
        {us, "2/30/2026", 0, 0, 0},
        {us, "12/6", 0, 0, 0},
        {us, "2026-13-01", 0, 0, 0},
        {us, "12/6/2026 lunch", 0, 0, 0},
        {us, "", 0, 0, 0},
        {us, "9:30", 0, 0, 0},
        {es, "06/12/26", 2026, 12, 6},
        {es, "Sunday, 6 de December de 2026", 2026, 12, 6},
        {ja, "26/12/06", 2026, 12, 6},
        {ja, "2026年12月6日", 2026, 12, 6},
    };
    for (const auto& [locale, text, year, month, day] : cases) {
        const DateTime parsed = DateParser(locale).parseDate(text);
        EXPECT_EQ(parsed, year ? DateTime::fromFields(year, month, day) : DateTime()) << text;
    }
}

TEST(DateParse, ReadsTwelveAndTwentyFourHourTimes) {
    const FixedLocale locale;
    const DateParser parser(locale);
    const std::pair<const char*, std::optional<TimeOfDay>> cases[] = {
        {"9:30 AM", TimeOfDay{9, 30, 0}},
        {"9:30\xE2\x80\xAFPM", TimeOfDay{21, 30, 0}},
        {"12:00 AM", TimeOfDay{0, 0, 0}},
        {"12:15 PM", TimeOfDay{12, 15, 0}},
        {"9 PM", TimeOfDay{21, 0, 0}},
        {"09:30:45", TimeOfDay{9, 30, 45}},
        {"2026-12-06T09:30", TimeOfDay{9, 30, 0}},
        {"12/6/2026 3:45 PM", TimeOfDay{15, 45, 0}},
        {"9", std::nullopt},
        {"24:00", std::nullopt},
        {"13:00 PM", std::nullopt},
        {"9:30 tomorrow", std::nullopt},
        {"12/6/2026", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parser.parseTime(text), expected) << text;
}

// A locale that writes times with `picture` and the markers given.
class TimeLocale : public FixedLocale {
public:
    TimeLocale(std::string picture, std::string am, std::string pm)
        : picture_(std::move(picture)), am_(std::move(am)), pm_(std::move(pm)) {}
    std::string timePicture() const override { return picture_; }
    std::string shortTimePicture() const override { return picture_; }
    std::string amText() const override { return am_; }
    std::string pmText() const override { return pm_; }

private:
    std::string picture_, am_, pm_;
};

TEST(DateParse, ReadsMarkersAndFixedTextAsLocalesWriteThem) {
    const std::tuple<TimeLocale, const char*, std::optional<TimeOfDay>> cases[] = {
        {{"h:mm tt", "a.m.", "p.m."}, "9:30 p.m.", TimeOfDay{21, 30, 0}},
        {{"h:mm tt", "a.\xC2\xA0m.", "p.\xC2\xA0m."}, "9:30 p. m.", TimeOfDay{21, 30, 0}},
        {{"h:mm tt", "π.μ.", "μ.μ."}, "9:30 μ.μ.", TimeOfDay{21, 30, 0}},
        {{"tth:mm", "上午", "下午"}, "下午9:30", TimeOfDay{21, 30, 0}},
        {{"H:mm 'ч'.", "", ""}, "9:30 ч.", TimeOfDay{9, 30, 0}},
        {{"'Kl'. HH.mm", "", ""}, "Kl. 23.15", TimeOfDay{23, 15, 0}},
        {{"h:mm tt", "a.m.", "p.m."}, "9:30 p.m. sharp", std::nullopt},
        {{"'Kl'. HH.mm", "", ""}, "Uhr 23.15", std::nullopt},
    };
    for (const auto& [locale, text, expected] : cases)
        EXPECT_EQ(DateParser(locale).parseTime(text), expected) << text;
}

}  // namespace
