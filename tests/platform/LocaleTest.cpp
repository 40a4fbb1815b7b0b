#include "platform/Locale.h"

#include <gtest/gtest.h>

#include "support/FixedLocale.h"

namespace {

// A FixedLocale whose short time form is given.
class TimeFormLocale : public FixedLocale {
public:
    explicit TimeFormLocale(std::string picture) : picture_(std::move(picture)) {}
    std::string shortTimePicture() const override { return picture_; }

private:
    std::string picture_;
};

TEST(Locale, TwentyFourHourClockIsAnHourWithCapitalHAndNoMarker) {
    const std::pair<const char*, bool> cases[] = {
        {"h:mm tt", false}, {"hh:mm tt", false},    {"HH:mm", true},    {"H:mm", true},
        {"HH'h'mm", true},  {"'H' h:mm tt", false}, {"H:mm tt", false},  // a marker says the hours
                                                                         // run to twelve
    };
    for (const auto& [picture, twentyFour] : cases)
        EXPECT_EQ(usesTwentyFourHourClock(TimeFormLocale(picture)), twentyFour) << picture;
}

}  // namespace
