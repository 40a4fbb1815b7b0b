#pragma once

#include <QPixmap>

#include <cstdint>

// The 16-pixel row images of the day lists, drawn once: a dot per task priority (red
// High, yellow Medium, blue Low, black Done) and an alarm clock.
namespace RowImages {

// The dot of a priority; an empty pixmap for any other number.
[[nodiscard]] const QPixmap& priorityDot(int32_t priority);
[[nodiscard]] const QPixmap& alarmClock();
// A transparent image, so that rows without one line up with those that have one.
[[nodiscard]] const QPixmap& none();

}  // namespace RowImages
