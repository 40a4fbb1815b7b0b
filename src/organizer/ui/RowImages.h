#pragma once

#include <QPixmap>

#include <cstdint>

class QColor;

// The 16-pixel row images of the day lists: a dot per task priority (red High, yellow
// Medium, blue Low, black Done), an alarm clock and the round arrow of a repeating
// appointment. They are painted for the screen's pixel
// ratio, so that they stay sharp at any scale, and outlined in a colour that stands out
// against the list's background, so that they show on a dark palette as on a light one.
namespace RowImages {

// The images for the application's palette and screens, drawn once for each.
// The dot of a priority; an empty pixmap for any other number.
[[nodiscard]] const QPixmap& priorityDot(int32_t priority);
[[nodiscard]] const QPixmap& alarmClock();
[[nodiscard]] const QPixmap& repeatMark();
// A transparent image, so that rows without one line up with those that have one.
[[nodiscard]] const QPixmap& none();

// The same images drawn for a list whose background is `base`, at `pixelRatio` device
// pixels to a pixel.
[[nodiscard]] QPixmap drawPriorityDot(int32_t priority, const QColor& base, qreal pixelRatio);
[[nodiscard]] QPixmap drawAlarmClock(const QColor& base, qreal pixelRatio);
[[nodiscard]] QPixmap drawRepeatMark(const QColor& base, qreal pixelRatio);

}  // namespace RowImages
