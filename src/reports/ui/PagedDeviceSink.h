#pragma once

#include <QPainter>

#include <optional>

#include "reports/PrintJob.h"
#include "reports/ui/PainterCanvas.h"

class QPagedPaintDevice;

// The pages of a printer or PDF writer. The painter, and with it the device's job,
// starts with the first page, so a job without pages opens nothing.
class PagedDeviceSink : public PageSink {
public:
    explicit PagedDeviceSink(QPagedPaintDevice& device) : device_(device) {}

    bool startDocument(const std::string& name) override;
    bool startPage() override;
    PageCanvas& canvas() override { return *canvas_; }
    bool endPage() override { return true; }
    bool endDocument() override;
    void abortDocument() override;

private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    std::optional<PainterCanvas> canvas_;
};
