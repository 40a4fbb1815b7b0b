#include "reports/PreviewState.h"

#include <cstdint>

void PreviewState::start(int pageCount) {
    current_ = 0;
    lastPage_ = pageCount - 1;
    zoom_ = 0;
    canZoomIn_ = true;
    canZoomOut_ = false;
}

bool PreviewState::zoomIn() {
    if (!canZoomIn_) return false;
    zoom_ = zoom_ == 0 ? 200 : zoom_ * 2;
    canZoomOut_ = true;
    canZoomIn_ = zoom_ < kMaxZoom;
    return true;
}

bool PreviewState::zoomOut() {
    if (!canZoomOut_) return false;
    zoom_ = zoom_ == 200 ? 0 : zoom_ / 2;
    canZoomIn_ = true;
    canZoomOut_ = zoom_ > 0;
    return true;
}

int PreviewState::scrolledPosition(int position, int from, int to, bool horizontal) {
    if (to == 0) return 0;
    if (from == 0) return horizontal ? to / 2 : 0;
    return static_cast<int>(int64_t{position} * to / from);
}
