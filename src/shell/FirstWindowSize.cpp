#include "shell/FirstWindowSize.h"

#include <algorithm>

namespace {

constexpr PixelSize kDesigned{660, 466};
constexpr PixelSize kDesignedFontCell{6, 13};

}  // namespace

PixelSize firstWindowSize(int averageCharWidth, int lineHeight, PixelSize available,
                          PixelSize contents) {
    // A font that reports no measure leaves the designed size as it is.
    const int width = averageCharWidth > 0
                          ? kDesigned.width * averageCharWidth / kDesignedFontCell.width
                          : kDesigned.width;
    const int height = lineHeight > 0 ? kDesigned.height * lineHeight / kDesignedFontCell.height
                                      : kDesigned.height;
    return {std::min(std::max(width, contents.width), std::max(available.width, 0)),
            std::min(std::max(height, contents.height), std::max(available.height, 0))};
}
