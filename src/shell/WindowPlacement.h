#pragma once

#include <cstdint>

// How the main window is shown.
enum class ShowState : int32_t { Normal = 1, Minimized = 2, Maximized = 3 };

// A rectangle in screen coordinates; right and bottom lie just outside.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    [[nodiscard]] bool intersects(const ScreenRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool operator==(const ScreenRect&) const = default;
};

// Where the main window was, as stored between runs: its show state, flags, the
// minimised and maximised positions, and the normal (restored) rectangle.
struct WindowPlacement {
    int32_t showCmd = static_cast<int32_t>(ShowState::Normal);
    int32_t flags = 0;
    int32_t minX = -1;
    int32_t minY = -1;
    int32_t maxX = -1;
    int32_t maxY = -1;
    ScreenRect normal;

    // A placement that would put the window wholly off the screen is not used.
    [[nodiscard]] bool isVisibleOn(const ScreenRect& screen) const {
        return normal.intersects(screen);
    }
    bool operator==(const WindowPlacement&) const = default;
};
