#include "reports/ui/PreviewWindow.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include "platform/Translate.h"
#include "reports/PreviewState.h"

namespace {

// The grey margin kept around the page.
constexpr int kBorder = 10;

}  // namespace

// The drawing area inside the scroll area.
class PreviewWindow::PageArea : public QWidget {
public:
    explicit PageArea(PreviewWindow& window) : QWidget(&window), window_(window) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        const QRect page = window_.pageRect();
        if (page.isEmpty()) return;
        painter.fillRect(page, Qt::white);
        const DeviceMetrics& m = window_.metrics_;
        if (m.paperWidth <= 0 || m.paperHeight <= 0) return;
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setClipRect(page);
        painter.translate(page.topLeft());
        painter.scale(double(page.width()) / m.paperWidth, double(page.height()) / m.paperHeight);
        // The recording's origin is the printable area's corner, not the paper's.
        painter.translate(m.offsetX, m.offsetY);
        painter.drawPicture(0, 0, window_.picture_);
    }

private:
    PreviewWindow& window_;
};

PreviewWindow::PreviewWindow(QWidget* parent) : QScrollArea(parent), area_(new PageArea(*this)) {
    setWidget(area_);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Dark);
    setAccessibleName(QString::fromUtf8(_("Page preview")));
    sizeArea();
}

void PreviewWindow::setPage(const QPicture& picture, const DeviceMetrics& metrics) {
    picture_ = picture;
    metrics_ = metrics;
    area_->update();
}

QRect PreviewWindow::pageRect() const {
    const QRect space = area_->rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (space.isEmpty() || metrics_.paperWidth <= 0 || metrics_.paperHeight <= 0) return space;
    // The largest rectangle of the paper's proportions that fits, centred.
    QSize size(metrics_.paperWidth, metrics_.paperHeight);
    size.scale(space.size(), Qt::KeepAspectRatio);
    QRect page(QPoint(), size);
    page.moveCenter(space.center());
    return page;
}

void PreviewWindow::setZoom(int zoom) {
    const int from = zoom_;
    const int x = horizontalScrollBar()->value();
    const int y = verticalScrollBar()->value();
    zoom_ = zoom;
    sizeArea();
    horizontalScrollBar()->setValue(PreviewState::scrolledPosition(x, from, zoom, true));
    verticalScrollBar()->setValue(PreviewState::scrolledPosition(y, from, zoom, false));
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    sizeArea();
}

void PreviewWindow::sizeArea() {
    // The window's own size, not the viewport's, so that scroll bars appearing do not
    // shrink the page they scroll over.
    const QSize client = contentsRect().size();
    setHorizontalScrollBarPolicy(zoom_ == 0 ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(zoom_ == 0 ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    area_->resize(client + QSize(zoom_, zoom_));
    area_->update();
}
