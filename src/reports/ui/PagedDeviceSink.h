#pragma once

#include <QPainter>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "reports/PrintJob.h"
#include "reports/ui/PainterCanvas.h"

class QPagedPaintDevice;

// The pages of a printer or PDF writer. The painter, and with it the device's job,
// starts with the first page, so a job without pages opens nothing.
class PagedDeviceSink : public PageSink {
public:
    // `abort` cancels the device's job where it has one (a printer's), so that an aborted
    // document is not finished and sent.
    explicit PagedDeviceSink(QPagedPaintDevice& device, std::function<void()> abort = {})
        : device_(device), abort_(std::move(abort)) {}
    ~PagedDeviceSink() override;
    PagedDeviceSink(const PagedDeviceSink&) = delete;
    PagedDeviceSink& operator=(const PagedDeviceSink&) = delete;

    bool startDocument(const std::string& name) override;
    bool startPage() override;
    PageCanvas& canvas() override { return *canvas_; }
    bool endPage() override { return true; }
    bool endDocument() override;
    void abortDocument() override;

private:
    QPagedPaintDevice& device_;
    std::function<void()> abort_;
    // Held by pointer so that it can be left unended (see the destructor).
    std::unique_ptr<QPainter> painter_ = std::make_unique<QPainter>();
    std::optional<PainterCanvas> canvas_;
};
