#pragma once

#include <QPicture>
#include <QScrollArea>

#include "reports/PageCanvas.h"

// The print preview's window: the recorded page drawn white on a grey surround, fitted
// into the window less a 10-pixel border. Zooming grows the drawing area beyond the
// window by the zoom in pixels each way, and the window scrolls over it.
class PreviewWindow : public QScrollArea {
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Shows `picture`, recorded for a printer of `metrics`.
    void setPage(const QPicture& picture, const DeviceMetrics& metrics);
    // 0, 200, 400 or 800 pixels.
    void setZoom(int zoom);
    [[nodiscard]] int zoom() const { return zoom_; }
    // Where the page is drawn, in the drawing area's pixels.
    [[nodiscard]] QRect pageRect() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class PageArea;
    void sizeArea();

    PageArea* area_;
    QPicture picture_;
    DeviceMetrics metrics_;
    int zoom_ = 0;
};
