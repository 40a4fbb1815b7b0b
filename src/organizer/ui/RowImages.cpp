#include "organizer/ui/RowImages.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QtMath>

#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace {

constexpr int kSize = 16;

QPixmap blank(qreal pixelRatio) {
    QPixmap pixmap(QSize(kSize, kSize) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

double luminance(const QColor& color) {
    const auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Of a dark and a light edge, the one that stands out more against the background.
QColor edgeFor(const QColor& dark, const QColor& light, const QColor& base) {
    return contrast(dark, base) >= contrast(light, base) ? dark : light;
}

QColor lightTint(const QColor& color) {
    const auto mix = [](int c) { return c + (255 - c) * 7 / 10; };
    return QColor(mix(color.red()), mix(color.green()), mix(color.blue()));
}

QPixmap dot(const QColor& color, const QColor& base, qreal pixelRatio) {
    QPixmap pixmap = blank(pixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(edgeFor(color.darker(200), lightTint(color), base), 1));
    QRadialGradient shine(QPointF(6, 6), 7);
    shine.setColorAt(0, color.lighter(170));
    shine.setColorAt(1, color);
    painter.setBrush(shine);
    painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
    return pixmap;
}

QPixmap clock(const QColor& base, qreal pixelRatio) {
    QPixmap pixmap = blank(pixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(60, 60, 60);
    const QColor edge = edgeFor(ink, QColor(225, 225, 225), base);
    // Two bells, the feet, the face, and the hands at ten past ten.
    painter.setPen(QPen(edge, 0.8));
    painter.setBrush(QColor(200, 40, 40));
    painter.drawPie(QRectF(0.5, 0.5, 7, 7), 45 * 16, 180 * 16);
    painter.drawPie(QRectF(8.5, 0.5, 7, 7), -45 * 16, 180 * 16);
    painter.setPen(QPen(edge, 1.2));
    painter.drawLine(QPointF(4, 14), QPointF(2.5, 15.5));
    painter.drawLine(QPointF(12, 14), QPointF(13.5, 15.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(2.5, 3, 11, 11));
    // The hands are on the white face whatever the background.
    painter.setPen(QPen(ink, 1.2));
    painter.drawLine(QPointF(8, 8.5), QPointF(8, 5));
    painter.drawLine(QPointF(8, 8.5), QPointF(10.5, 9.5));
    return pixmap;
}

// A round arrow turning clockwise, nearly closed: the sign of a repeating appointment.
QPixmap repeat(const QColor& base, qreal pixelRatio) {
    QPixmap pixmap = blank(pixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = edgeFor(QColor(30, 100, 60), QColor(150, 230, 180), base);
    const QPointF centre(8, 8.5);
    const double radius = 5;
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    // From the top, clockwise round to the upper left, where the head points on.
    painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                    90 * 16, -290 * 16);
    const double end = qDegreesToRadians(160.0);
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    const QPointF along(std::sin(end), std::cos(end));  // the way a clockwise turn goes
    const QPointF across(along.y(), -along.x());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPolygon(QPolygonF({tip + along * 3.2, tip + across * 2.6, tip - across * 2.6}));
    return pixmap;
}

constexpr std::array<QRgb, 4> kDotColours = {qRgb(220, 30, 30), qRgb(240, 200, 0),
                                             qRgb(40, 90, 220), qRgb(20, 20, 20)};
constexpr int kClock = 4;
constexpr int kNone = 5;
constexpr int kRepeat = 6;

// The image `which` for the application's palette and its sharpest screen, kept once drawn;
// a palette or a screen added later gets its own.
const QPixmap& cached(int which) {
    static std::map<std::tuple<int, QRgb, qreal>, QPixmap> images;
    const QColor base = QGuiApplication::palette().color(QPalette::Active, QPalette::Base);
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    const auto key = std::make_tuple(which, base.rgb(), ratio);
    auto it = images.find(key);
    if (it == images.end()) {
        QPixmap image = which == kClock    ? clock(base, ratio)
                        : which == kNone   ? blank(ratio)
                        : which == kRepeat ? repeat(base, ratio)
                                           : dot(QColor(kDotColours[size_t(which)]), base, ratio);
        it = images.emplace(key, std::move(image)).first;
    }
    return it->second;
}

}  // namespace

namespace RowImages {

const QPixmap& priorityDot(int32_t priority) {
    static const QPixmap nothing;
    return priority >= 0 && priority < 4 ? cached(priority) : nothing;
}

const QPixmap& none() {
    return cached(kNone);
}

const QPixmap& alarmClock() {
    return cached(kClock);
}

const QPixmap& repeatMark() {
    return cached(kRepeat);
}

QPixmap drawRepeatMark(const QColor& base, qreal pixelRatio) {
    return repeat(base, pixelRatio);
}

QPixmap drawPriorityDot(int32_t priority, const QColor& base, qreal pixelRatio) {
    if (priority < 0 || priority >= 4) return {};
    return dot(QColor(kDotColours[size_t(priority)]), base, pixelRatio);
}

QPixmap drawAlarmClock(const QColor& base, qreal pixelRatio) {
    return clock(base, pixelRatio);
}

}  // namespace RowImages
