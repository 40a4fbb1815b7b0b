#include "shell/ShellSettings.h"

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"

namespace {

using Section = MemorySettingsStore::Section;

TEST(ShellSettings, PlacementRoundTripsUnderItsStoredNames) {
    MemorySettingsStore store;
    ShellSettings settings(store);
    EXPECT_FALSE(settings.readPlacement());

    const WindowPlacement placement{3, 2, -1, -2, -8, -9, ScreenRect{-10, 20, 700, 500}};
    settings.writePlacement(placement);
    const Section& values = store.sections().at("Settings");
    EXPECT_EQ(values.size(), 10u);
    EXPECT_EQ(std::get<uint32_t>(values.at("wp.wpMaxPosition.y")), static_cast<uint32_t>(-9));
    EXPECT_EQ(std::get<uint32_t>(values.at("wp.left")), 0xFFFFFFF6u);
    EXPECT_EQ(std::get<uint32_t>(values.at("wp.bottom")), 500u);
    EXPECT_EQ(settings.readPlacement(), placement);
}

}  // namespace
