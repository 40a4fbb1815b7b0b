#include "organizer/ui/RowImages.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace {

constexpr int kSize = 16;

QPixmap blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap dot(QColor color) {
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(160), 1));
    QRadialGradient shine(QPointF(6, 6), 7);
    shine.setColorAt(0, color.lighter(170));
    shine.setColorAt(1, color);
    painter.setBrush(shine);
    painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
    return pixmap;
}

QPixmap alarmClockImage() {
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(60, 60, 60);
    // Two bells, the face, the hands at ten past ten, and the feet.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 40, 40));
    painter.drawPie(QRectF(0.5, 0.5, 7, 7), 45 * 16, 180 * 16);
    painter.drawPie(QRectF(8.5, 0.5, 7, 7), -45 * 16, 180 * 16);
    painter.setPen(QPen(ink, 1.2));
    painter.drawLine(QPointF(4, 14), QPointF(2.5, 15.5));
    painter.drawLine(QPointF(12, 14), QPointF(13.5, 15.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(2.5, 3, 11, 11));
    painter.drawLine(QPointF(8, 8.5), QPointF(8, 5));
    painter.drawLine(QPointF(8, 8.5), QPointF(10.5, 9.5));
    return pixmap;
}

}  // namespace

namespace RowImages {

const QPixmap& priorityDot(int32_t priority) {
    static const std::array<QPixmap, 4> dots = {dot(QColor(220, 30, 30)), dot(QColor(240, 200, 0)),
                                                dot(QColor(40, 90, 220)), dot(QColor(20, 20, 20))};
    static const QPixmap none;
    return priority >= 0 && priority < 4 ? dots[static_cast<size_t>(priority)] : none;
}

const QPixmap& none() {
    static const QPixmap image = blank();
    return image;
}

const QPixmap& alarmClock() {
    static const QPixmap image = alarmClockImage();
    return image;
}

}  // namespace RowImages
