#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

#include <cmath>

#include "organizer/ui/RowImages.h"
#include "records/Task.h"

namespace {

// WCAG 2 contrast ratio of two opaque colours.
double contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor over(QColor pixel, QColor base) {
    const double a = pixel.alphaF();
    return QColor::fromRgbF(float(pixel.redF() * a + base.redF() * (1 - a)),
                            float(pixel.greenF() * a + base.greenF() * (1 - a)),
                            float(pixel.blueF() * a + base.blueF() * (1 - a)));
}

// The share of the image's outline (its mostly opaque pixels beside mostly transparent
// ones) that stands out against the list's background by the 3:1 that non-text images need.
double visibleOutline(const QPixmap& pixmap, QColor base) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const auto opaque = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
               qAlpha(image.pixel(x, y)) >= 192;
    };
    int outline = 0, standingOut = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!opaque(x, y)) continue;
            if (opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1))
                continue;
            ++outline;
            if (contrast(over(QColor::fromRgba(image.pixel(x, y)), base), base) >= 3.0)
                ++standingOut;
        }
    }
    return outline == 0 ? 0.0 : double(standingOut) / outline;
}

TEST(RowImages, AreSharpAtTwiceTheScaleAndStandOutOnLightAndDarkLists) {
    const struct {
        const char* palette;
        QColor base;
    } lists[] = {
        {"light", Qt::white},
        {"light grey", QColor(0xf0, 0xf0, 0xf0)},
        {"dark", QColor(0x23, 0x26, 0x29)},
        {"black", QColor(0x10, 0x10, 0x10)},
    };
    for (const auto& list : lists) {
        std::vector<std::pair<std::string, QPixmap>> images = {
            {"alarm clock", RowImages::drawAlarmClock(list.base, 2)},
            {"repeat mark", RowImages::drawRepeatMark(list.base, 2)}};
        for (const int32_t priority : {Task::High, Task::Medium, Task::Low, Task::Done})
            images.emplace_back("priority " + std::to_string(priority),
                                RowImages::drawPriorityDot(priority, list.base, 2));
        for (const auto& [name, image] : images) {
            SCOPED_TRACE(name + " on " + list.palette);
            // Drawn with a device pixel to each half pixel, not a 16-pixel image blown up.
            EXPECT_EQ(image.size(), QSize(32, 32));
            EXPECT_EQ(image.deviceIndependentSize(), QSizeF(16, 16));
            EXPECT_GE(visibleOutline(image, list.base), 0.8);
        }
    }
}

// Without the SVG icon engine the toolbar would lose its icons, without a word.
TEST(ToolbarIcons, BundledOnesAreDrawnForTwiceTheScale) {
    for (const char* name :
         {"document-new", "document-open", "document-save", "help-about", "help-contextual"}) {
        const QIcon icon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
        EXPECT_EQ(icon.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32)) << name;
    }
}

}  // namespace
