#pragma once

#include <QDialog>

// The borderless window with the program's picture, name and version that stands on
// the screen for three seconds while the program starts.
class SplashWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kShowMilliseconds = 3000;

    explicit SplashWindow(QWidget* parent = nullptr);

    // Shows the window modally, centred on the screen, until its timer closes it.
    static void showFor(QWidget* parent);
};
