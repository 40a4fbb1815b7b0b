#include "shell/ui/FramePlacement.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

#include "shell/FirstWindowSize.h"

namespace {

ScreenRect screenRect(const QRect& rect) {
    return ScreenRect{rect.left(), rect.top(), rect.left() + rect.width(),
                      rect.top() + rect.height()};
}

}  // namespace

void showCentred(QMainWindow& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QFontMetrics metrics(window.font());
    const PixelSize first = firstWindowSize(metrics.averageCharWidth(), metrics.height(),
                                            {available.width(), available.height()});
    window.resize(QSize(first.width, first.height).expandedTo(window.minimumSize()));
    QRect frame(QPoint(), window.size());
    frame.moveCenter(available.center());
    window.move(frame.topLeft());
    window.show();
}

bool showAtPlacement(QMainWindow& window, const WindowPlacement& placement) {
    const QScreen* best = nullptr;
    uint64_t bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const uint64_t area = placement.normal.overlapArea(screenRect(screen->geometry()));
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (best == nullptr) return false;  // wholly off every screen
    // Stored values may be anything: a window larger than the screen would be of no use
    // and slow to draw.
    const auto r = placement.normal.fittedInto(screenRect(best->availableGeometry()),
                                               window.minimumWidth(), window.minimumHeight());
    if (!r) return false;
    window.setGeometry(QRect(r->left, r->top, r->right - r->left, r->bottom - r->top));
    switch (static_cast<ShowState>(placement.showCmd)) {
        case ShowState::Maximized:
            window.showMaximized();
            break;
        case ShowState::Minimized:
            window.showMinimized();
            break;
        default:
            window.showNormal();
            break;
    }
    return true;
}

WindowPlacement placementOf(const QMainWindow& window) {
    WindowPlacement placement;
    placement.showCmd = static_cast<int32_t>(window.isMaximized()   ? ShowState::Maximized
                                             : window.isMinimized() ? ShowState::Minimized
                                                                    : ShowState::Normal);
    const QRect normal =
        window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    placement.normal =
        ScreenRect{normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1};
    return placement;
}
