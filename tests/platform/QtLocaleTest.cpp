#include "platform/qt/QtLocale.h"

#include <gtest/gtest.h>

#include "records/DateTime.h"

namespace {

TEST(QtLocale, TranslatesQtFormatsIntoPictures) {
    struct Case {
        const char* qt;
        const char* picture;
    };
    const Case cases[] = {
        {"M/d/yy", "M/d/yyyy"},
        {"dd.MM.yyyy", "dd.MM.yyyy"},
        {"dddd, MMMM d, yyyy", "dddd, MMMM d, yyyy"},
        {"h:mm AP", "h:mm tt"},
        {"h:mm:ss\u202fAP t", "h:mm:ss\u202ftt"},
        {"HH:mm:ss t", "HH:mm:ss"},
        {"h:mm", "H:mm"},  // Qt's h is 24-hour without a marker
        {"'Le' d MMMM yyyy", "'Le' d MMMM yyyy"},
        {"ap h:mm", "tt h:mm"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtLocale::pictureFromQtFormat(QString::fromUtf8(c.qt)), c.picture) << c.qt;
    }
}

TEST(QtLocale, ShortDatesKeepTheirCentury) {
    for (const char* name : {"en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "C"}) {
        const QtLocale locale{QLocale(QString::fromLatin1(name))};
        const std::string text = DateTime::fromFields(2026, 12, 6).formatDate(locale);
        EXPECT_NE(text.find("2026"), std::string::npos) << name << ": " << text;
    }
}

TEST(QtLocale, FormatsUnitedStatesEnglish) {
    const QtLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    const DateTime value = DateTime::fromFields(2026, 12, 6, 21, 5);
    EXPECT_EQ(value.formatDate(locale), "12/6/2026");
    EXPECT_EQ(value.formatDate(locale, DateStyle::Long), "Sunday, December 6, 2026");
    EXPECT_EQ(value.formatTime(locale, "h':'mm t"), "9:05 P");
}

}  // namespace
