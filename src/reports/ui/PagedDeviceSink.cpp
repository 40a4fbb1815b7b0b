#include "reports/ui/PagedDeviceSink.h"

#include <QPagedPaintDevice>
#include <QPdfWriter>

#include <exception>

PagedDeviceSink::~PagedDeviceSink() {
    // Ending a job writes the rest of the document, which takes memory: while an exception
    // passes (memory ran out while drawing) the painter is left as it is, so that the end
    // cannot throw again from here and end the program.
    if (std::uncaught_exceptions() > 0 && painter_->isActive()) (void)painter_.release();
}

bool PagedDeviceSink::startDocument(const std::string& name) {
    if (auto* pdf = dynamic_cast<QPdfWriter*>(&device_))
        pdf->setTitle(QString::fromStdString(name));
    return true;
}

bool PagedDeviceSink::startPage() {
    if (painter_->isActive()) return device_.newPage();
    if (!painter_->begin(&device_)) return false;
    canvas_.emplace(painter_.get(), &device_, pagedDeviceMetrics(device_));
    return true;
}

bool PagedDeviceSink::endDocument() {
    return !painter_->isActive() || painter_->end();
}

void PagedDeviceSink::abortDocument() {
    if (!painter_->isActive()) return;
    if (abort_) abort_();
    painter_->end();
}
