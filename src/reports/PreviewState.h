#pragma once

// The print preview's page and zoom, without its window. The zoom is how many pixels
// the drawing area grows beyond the window in each direction: 0, 200, 400 or 800.
class PreviewState {
public:
    static constexpr int kMaxZoom = 800;

    // A new report of `pageCount` pages, shown from its first page at zoom 0.
    void start(int pageCount);
    // The report was built again with `pageCount` pages; the current page stays.
    void setPageCount(int pageCount) { lastPage_ = pageCount - 1; }

    [[nodiscard]] int currentPage() const { return current_; }
    void setCurrentPage(int page) { current_ = page; }
    [[nodiscard]] int lastPage() const { return lastPage_; }
    [[nodiscard]] bool canGoNext() const { return current_ < lastPage_; }
    [[nodiscard]] bool canGoPrevious() const { return current_ > 0; }

    [[nodiscard]] int zoom() const { return zoom_; }
    [[nodiscard]] bool canZoomIn() const { return canZoomIn_; }
    [[nodiscard]] bool canZoomOut() const { return canZoomOut_; }
    // 0 → 200 → 400 → 800; false when already at 800.
    bool zoomIn();
    // 800 → 400 → 200 → 0; false when already at 0.
    bool zoomOut();

    // Where a scroll coordinate goes when the zoom changes from `from` to `to`: half the
    // growth across from an unzoomed page, in proportion otherwise.
    [[nodiscard]] static int scrolledPosition(int position, int from, int to, bool horizontal);

private:
    int current_ = 0;
    int lastPage_ = -1;
    int zoom_ = 0;
    bool canZoomIn_ = true;
    bool canZoomOut_ = false;
};
