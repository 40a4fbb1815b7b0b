#include "shell/FirstWindowSize.h"
#include "shell/WindowPlacement.h"

#include <gtest/gtest.h>

// Beside ScreenRect, where the test framework's printing finds it.
static std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

TEST(WindowPlacement, OverlapTellsWhetherAStoredWindowIsOnAScreen) {
    const ScreenRect screen{0, 0, 1920, 1080};
    const struct {
        ScreenRect normal;
        uint64_t area;
    } cases[] = {
        {{100, 100, 800, 600}, 700u * 500u},
        {{-700, -500, 1, 1}, 1},
        {{-700, 100, 0, 600}, 0},
        {{1920, 100, 2600, 600}, 0},
        {{100, 1080, 800, 1500}, 0},
        {{0, 0, 0, 0}, 0},
        {{500, 500, 100, 100}, 0},  // inverted
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 1920u * 1080u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.normal.overlapArea(screen), c.area) << c.normal;
    const ScreenRect whole{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_EQ(whole.overlapArea(whole), uint64_t{UINT32_MAX} * UINT32_MAX);
}

TEST(WindowPlacement, StoredRectanglesAreFittedOntoTheScreen) {
    const ScreenRect available{0, 40, 1920, 1080};  // a panel along the top
    constexpr int32_t kMinWidth = 800, kMinHeight = 600;
    const struct {
        const char* what;
        ScreenRect stored;
        std::optional<ScreenRect> fitted;
    } cases[] = {
        {"fits as it is", {100, 100, 1000, 800}, ScreenRect{100, 100, 1000, 800}},
        {"hangs over the right and top", {1500, 0, 2400, 700}, ScreenRect{1020, 40, 1920, 740}},
        {"larger than the screen", {-10, -10, 5000, 4000}, ScreenRect{0, 40, 1920, 1080}},
        {"two thousand million pixels",
         {0, 0, 2000000000, 2000000000},
         ScreenRect{0, 40, 1920, 1080}},
        {"the 32-bit limits",
         {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
         ScreenRect{0, 40, 1920, 1080}},
        {"smaller than the window can be", {100, 100, 200, 200}, ScreenRect{100, 100, 900, 700}},
        {"small in the far corner", {1800, 900, 1900, 1000}, ScreenRect{1120, 480, 1920, 1080}},
        {"empty", {100, 100, 100, 500}, std::nullopt},
        {"inverted", {500, 100, 100, 500}, std::nullopt},
        {"inverted to the limits", {INT32_MAX, 0, INT32_MIN, 10}, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto fitted = c.stored.fittedInto(available, kMinWidth, kMinHeight);
        EXPECT_EQ(fitted, c.fitted) << c.what << ": " << (fitted ? *fitted : ScreenRect{});
    }
    // A screen smaller than the window can be: the window starts at its corner.
    EXPECT_EQ(ScreenRect({300, 300, 500, 500}).fittedInto({0, 0, 640, 480}, kMinWidth, kMinHeight),
              (ScreenRect{0, 0, 800, 600}));
}

TEST(FirstWindowSize, DesignedSizeScaledToTheFontOrWhatTheContentsAskWithinTheScreen) {
    const PixelSize screen{1920, 1050};
    const struct {
        int width, height;
        PixelSize available, contents, size;
    } cases[] = {
        {6, 13, screen, {}, {660, 466}},  // the designed font
        {8, 17, screen, {}, {880, 609}},  // a desktop's 10-point font
        {12, 26, {1280, 700}, {}, {1280, 700}},
        {0, 0, screen, {}, {660, 466}},  // a font without measures
        // Contents that ask for more get it, but never more than the screen has.
        {8, 17, screen, {1010, 720}, {1010, 720}},
        {8, 17, {1280, 770}, {1414, 932}, {1280, 770}},
        {8, 17, screen, {500, 300}, {880, 609}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstWindowSize(c.width, c.height, c.available, c.contents), c.size)
            << c.width << "x" << c.height;
}

}  // namespace
