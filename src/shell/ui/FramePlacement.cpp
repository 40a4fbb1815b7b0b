#include "shell/ui/FramePlacement.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>

#include "shell/FirstWindowSize.h"

namespace {

ScreenRect screenRect(const QRect& rect) {
    return ScreenRect{rect.left(), rect.top(), rect.left() + rect.width(),
                      rect.top() + rect.height()};
}

}  // namespace

void showCentred(QMainWindow& window, QSize grown) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize room = available.size().expandedTo(QSize(0, 0));
    // A screen too small for the window's designed least size (a large scale factor): the
    // window and its contents give way, so that it is never larger than the screen.
    window.setMinimumSize(window.minimumSize().boundedTo(room));
    const QSize contents = window.sizeHint() + grown.expandedTo(QSize(0, 0));
    if (QWidget* central = window.centralWidget()) {
        const QSize least = central->minimumSize().expandedTo(central->minimumSizeHint());
        const QSize chrome = (window.minimumSizeHint() - least).expandedTo(QSize(0, 0));
        central->setMinimumSize(
            central->minimumSize().boundedTo((room - chrome).expandedTo(QSize(0, 0))));
    }
    const QFontMetrics metrics(window.font());
    const PixelSize first =
        firstWindowSize(metrics.averageCharWidth(), metrics.height(), {room.width(), room.height()},
                        {contents.width(), contents.height()});
    window.resize(QSize(first.width, first.height).expandedTo(window.minimumSize()));
    QRect frame(QPoint(), window.size());
    frame.moveCenter(available.center());
    // Its top left corner stays on the screen's free area whatever its size.
    frame.moveLeft(
        std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width())));
    frame.moveTop(
        std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height())));
    window.move(frame.topLeft());
    window.show();
    // The desktop's frame around it is known once shown: the whole stays on the screen.
    const QRect outer = window.frameGeometry();
    if (available.contains(outer)) return;
    const QSize margins = outer.size() - window.size();
    window.setMinimumSize(window.minimumSize().boundedTo((room - margins).expandedTo(QSize(1, 1))));
    if (QWidget* central = window.centralWidget())
        central->setMinimumSize((central->minimumSize() - margins).expandedTo(QSize(0, 0)));
    window.resize(window.size().boundedTo((room - margins).expandedTo(QSize(1, 1))));
    window.move(
        std::max(available.left(),
                 std::min(outer.left(), available.right() + 1 - window.frameGeometry().width())),
        std::max(available.top(),
                 std::min(outer.top(), available.bottom() + 1 - window.frameGeometry().height())));
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
