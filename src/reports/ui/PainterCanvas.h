#pragma once

#include <QFont>
#include <QPoint>

#include <vector>

#include "reports/PageCanvas.h"

class QPaintDevice;
class QPainter;
class QPagedPaintDevice;

// The metrics of a printer or PDF writer: its resolution, its sheet, and where the
// printable area (the page layout's paint rectangle) starts on it.
[[nodiscard]] DeviceMetrics pagedDeviceMetrics(const QPagedPaintDevice& device);

// A page canvas over QPainter, for printers, PDF files and the preview's recording
// alike. The metrics are given, not read from the painter's device, because a recording
// must report the printer it is made for. Without a painter the canvas only measures.
class PainterCanvas : public PageCanvas {
public:
    // `device` is what text is measured for; `painter`, when given, paints on it (or on a
    // recording made for it).
    PainterCanvas(QPainter* painter, const QPaintDevice* device, DeviceMetrics metrics);

    DeviceMetrics metrics() const override { return metrics_; }
    FontSpec selectFont(const FontSpec& font) override;
    TextMetrics textMetrics() const override;
    TextExtent textExtent(std::string_view text) const override;
    void textOut(int x, int y, std::string_view text) override;
    void clippedTextOut(int x, int y, const PageRect& clip, std::string_view text) override;
    int drawText(const PageRect& rect, std::string_view text, unsigned flags) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    Pen selectPen(const Pen& pen) override;
    void setBackgroundMode(BackgroundMode mode) override;
    void setBackgroundColor(uint32_t color) override;
    void saveState() override;
    void restoreState() override;

    // The Qt font a report font stands for.
    [[nodiscard]] static QFont qtFont(const FontSpec& font);

private:
    struct State {
        FontSpec font;
        QFont qfont;
        Pen pen;
        QPoint position;
    };

    void applyPen();

    QPainter* painter_;
    const QPaintDevice* device_;
    DeviceMetrics metrics_;
    State state_;
    std::vector<State> saved_;
};
