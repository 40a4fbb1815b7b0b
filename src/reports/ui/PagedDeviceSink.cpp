#include "reports/ui/PagedDeviceSink.h"

#include <QPagedPaintDevice>
#include <QPdfWriter>

bool PagedDeviceSink::startDocument(const std::string& name) {
    if (auto* pdf = dynamic_cast<QPdfWriter*>(&device_))
        pdf->setTitle(QString::fromStdString(name));
    return true;
}

bool PagedDeviceSink::startPage() {
    if (painter_.isActive()) return device_.newPage();
    if (!painter_.begin(&device_)) return false;
    canvas_.emplace(&painter_, &device_, pagedDeviceMetrics(device_));
    return true;
}

bool PagedDeviceSink::endDocument() {
    return !painter_.isActive() || painter_.end();
}

void PagedDeviceSink::abortDocument() {
    if (!painter_.isActive()) return;
    if (abort_) abort_();
    painter_.end();
}
