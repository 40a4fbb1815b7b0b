#pragma once

#include <QWidget>

// Saves a picture of `widget` as NAME.png when QUILLMATE_SCREENSHOTS names a folder, so
// that a change to a window can be looked at.
inline void screenshot(QWidget& widget, const char* name) {
    const QString folder = qEnvironmentVariable("QUILLMATE_SCREENSHOTS");
    if (!folder.isEmpty()) widget.grab().save(folder + u'/' + QLatin1String(name) + ".png");
}
