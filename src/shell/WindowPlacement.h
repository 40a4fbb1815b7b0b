#pragma once

#include <cstdint>
#include <optional>

// How the main window is shown.
enum class ShowState : int32_t { Normal = 1, Minimized = 2, Maximized = 3 };

// A rectangle in screen coordinates; right and bottom lie just outside.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // The area the two rectangles share; 0 when they do not meet.
    [[nodiscard]] uint64_t overlapArea(const ScreenRect& other) const;
    // This rectangle moved and shrunk to lie within `area`, but at least `minWidth` by
    // `minHeight`, starting at the left and top of `area` where that does not fit. Nothing
    // for an empty or inverted rectangle. Any stored values work: the arithmetic is 64-bit.
    [[nodiscard]] std::optional<ScreenRect> fittedInto(const ScreenRect& area, int32_t minWidth,
                                                       int32_t minHeight) const;
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

    bool operator==(const WindowPlacement&) const = default;
};
