#pragma once

// A width and a height in pixels.
struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The main window's size on a first start (no stored placement): the designed 660 x 466
// pixels were measured with an 8-point dialog font of 6 x 13 pixels a character, so they
// are scaled by the ratio of the window's own font (`averageCharWidth` x `lineHeight`) to
// that one; where its `contents` ask for more (a longer translation, a list's rows), they
// get it; then the size is held within `available`, the screen's free area.
[[nodiscard]] PixelSize firstWindowSize(int averageCharWidth, int lineHeight, PixelSize available,
                                        PixelSize contents = {});
