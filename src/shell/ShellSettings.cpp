#include "shell/ShellSettings.h"

#include <array>

#include "platform/SettingsStore.h"

namespace {

constexpr const char* kSettings = "Settings";

// The ten placement values and the fields they fill. The odd name of the maximised
// y position is the stored one and must stay.
struct PlacementValue {
    const char* name;
    int32_t WindowPlacement::*field = nullptr;
    int32_t ScreenRect::*rectField = nullptr;
};
const std::array<PlacementValue, 10> kPlacementValues = {{
    {"wp.showCmd", &WindowPlacement::showCmd},
    {"wp.flags", &WindowPlacement::flags},
    {"wp.ptMinPosition.x", &WindowPlacement::minX},
    {"wp.ptMinPosition.y", &WindowPlacement::minY},
    {"wp.ptMaxPosition.x", &WindowPlacement::maxX},
    {"wp.wpMaxPosition.y", &WindowPlacement::maxY},
    {"wp.left", nullptr, &ScreenRect::left},
    {"wp.right", nullptr, &ScreenRect::right},
    {"wp.top", nullptr, &ScreenRect::top},
    {"wp.bottom", nullptr, &ScreenRect::bottom},
}};

int32_t& fieldOf(WindowPlacement& placement, const PlacementValue& value) {
    return value.field ? placement.*(value.field) : placement.normal.*(value.rectField);
}

}  // namespace

std::optional<WindowPlacement> ShellSettings::readPlacement() const {
    if (!store_.hasSection(kSettings)) return std::nullopt;
    WindowPlacement placement;
    placement.normal = ScreenRect{};
    for (const PlacementValue& value : kPlacementValues) {
        if (const auto number = store_.readNumber(kSettings, value.name))
            fieldOf(placement, value) = static_cast<int32_t>(*number);
    }
    return placement;
}

void ShellSettings::writePlacement(const WindowPlacement& placement) {
    WindowPlacement copy = placement;
    for (const PlacementValue& value : kPlacementValues)
        store_.writeNumber(kSettings, value.name, static_cast<uint32_t>(fieldOf(copy, value)));
}
