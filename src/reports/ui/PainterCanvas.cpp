#include "reports/ui/PainterCanvas.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QRect qtRect(const PageRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

int qtFlags(unsigned flags) {
    int qt = Qt::AlignTop;
    qt |= (flags & textflags::kCenter)  ? Qt::AlignHCenter
          : (flags & textflags::kRight) ? Qt::AlignRight
                                        : Qt::AlignLeft;
    if (flags & textflags::kVCenter) qt = (qt & ~Qt::AlignTop) | Qt::AlignVCenter;
    if (flags & textflags::kWordBreak) qt |= Qt::TextWordWrap;
    if (flags & textflags::kSingleLine) qt |= Qt::TextSingleLine;
    return qt;
}

}  // namespace

DeviceMetrics pagedDeviceMetrics(const QPagedPaintDevice& device) {
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const QPageLayout layout = device.pageLayout();
    const QRect paper = layout.fullRectPixels(dpiX);
    const QRect printable = layout.paintRectPixels(dpiX);
    return {dpiX,
            dpiY,
            paper.width(),
            paper.height(),
            printable.left() - paper.left(),
            printable.top() - paper.top()};
}

PainterCanvas::PainterCanvas(QPainter* painter, const QPaintDevice* device, DeviceMetrics metrics)
    : painter_(painter), device_(device), metrics_(metrics) {
    state_.qfont = qtFont(state_.font);
    applyPen();
}

QFont PainterCanvas::qtFont(const FontSpec& font) {
    QFont qfont(QString::fromStdString(font.face));
    // Report fonts are sized in device pixels, so that a page measures the same on the
    // printer, in a PDF and in the preview's recording.
    qfont.setPixelSize(std::max(1, std::abs(font.height)));
    qfont.setWeight(QFont::Weight(std::clamp(font.weight, 1, 1000)));
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return qfont;
}

FontSpec PainterCanvas::selectFont(const FontSpec& font) {
    FontSpec previous = state_.font;
    state_.font = font;
    state_.qfont = qtFont(font);
    if (painter_ != nullptr) painter_->setFont(state_.qfont);
    return previous;
}

TextMetrics PainterCanvas::textMetrics() const {
    const QFontMetrics fm(state_.qfont, device_);
    return {fm.height(), fm.leading(), fm.averageCharWidth()};
}

TextExtent PainterCanvas::textExtent(std::string_view text) const {
    const QFontMetrics fm(state_.qfont, device_);
    return {fm.horizontalAdvance(qtText(text)), fm.height()};
}

void PainterCanvas::textOut(int x, int y, std::string_view text) {
    if (painter_ == nullptr) return;
    const QFontMetrics fm(state_.qfont, device_);
    painter_->drawText(QPoint(x, y + fm.ascent()), qtText(text));
}

void PainterCanvas::clippedTextOut(int x, int y, const PageRect& clip, std::string_view text) {
    if (painter_ == nullptr) return;
    painter_->save();
    painter_->setClipRect(qtRect(clip), Qt::IntersectClip);
    textOut(x, y, text);
    painter_->restore();
}

int PainterCanvas::drawText(const PageRect& rect, std::string_view text, unsigned flags) {
    const QFontMetrics fm(state_.qfont, device_);
    const QRect box = qtRect(rect);
    const int qtflags = qtFlags(flags);
    const int height = fm.boundingRect(box, qtflags, qtText(text)).height();
    if (painter_ != nullptr) painter_->drawText(box, qtflags, qtText(text));
    return height;
}

void PainterCanvas::moveTo(int x, int y) {
    state_.position = QPoint(x, y);
}

void PainterCanvas::lineTo(int x, int y) {
    const QPoint to(x, y);
    if (painter_ != nullptr && state_.pen.style != PenStyle::None)
        painter_->drawLine(state_.position, to);
    state_.position = to;
}

Pen PainterCanvas::selectPen(const Pen& pen) {
    Pen previous = state_.pen;
    state_.pen = pen;
    applyPen();
    return previous;
}

void PainterCanvas::applyPen() {
    if (painter_ == nullptr) return;
    const Pen& pen = state_.pen;
    const Qt::PenStyle style = pen.style == PenStyle::Dash   ? Qt::DashLine
                               : pen.style == PenStyle::Dot  ? Qt::DotLine
                               : pen.style == PenStyle::None ? Qt::NoPen
                                                             : Qt::SolidLine;
    // A one-unit pen is one device pixel wherever the page is shown: a hairline, which
    // stays visible when the preview shrinks the page onto the screen.
    const int width = pen.width <= 1 ? 0 : pen.width;
    painter_->setPen(QPen(QColor::fromRgb(QRgb(pen.color)), width, style));
}

void PainterCanvas::setBackgroundMode(BackgroundMode mode) {
    if (painter_ != nullptr)
        painter_->setBackgroundMode(mode == BackgroundMode::Opaque ? Qt::OpaqueMode
                                                                   : Qt::TransparentMode);
}

void PainterCanvas::setBackgroundColor(uint32_t color) {
    if (painter_ != nullptr) painter_->setBackground(QColor::fromRgb(QRgb(color)));
}

void PainterCanvas::saveState() {
    saved_.push_back(state_);
    if (painter_ != nullptr) painter_->save();
}

void PainterCanvas::restoreState() {
    if (saved_.empty()) return;
    state_ = saved_.back();
    saved_.pop_back();
    if (painter_ != nullptr) painter_->restore();
}
