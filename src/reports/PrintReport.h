#pragma once

#include <array>
#include <string>

#include "reports/PageCanvas.h"
#include "reports/ReportSettings.h"

// The base of every report: it lays its records out in the device units of the printer,
// splits them into pages, and draws any one page on demand onto a canvas. The report
// fonts, margins, content rectangle, page skeleton, footer and bracket frame live here;
// each report adds its header, rows, frame and pagination.
class PrintReport {
public:
    static constexpr int kNormalWeight = 400;
    static constexpr int kBoldWeight = 700;

    // Creates both fonts from the defaults and measures them on `measuring`, which stays
    // the report's canvas until setCanvas changes it.
    explicit PrintReport(PageCanvas& measuring);
    virtual ~PrintReport() = default;
    PrintReport(const PrintReport&) = delete;
    PrintReport& operator=(const PrintReport&) = delete;

    // Draws the page of 0-based `pageIndex` on `canvas`, which is the report's canvas for
    // that time only.
    void printPage(PageCanvas& canvas, int pageIndex);
    [[nodiscard]] int pageCount() const { return pageCount_; }

    [[nodiscard]] const PageRect& contentRect() const { return content_; }
    void setContentRect(const PageRect& rect) { content_ = rect; }
    [[nodiscard]] PageCanvas* canvas() const { return canvas_; }
    // The canvas measured and paginated on; nullptr detaches it.
    void setCanvas(PageCanvas* canvas) { canvas_ = canvas; }

    // Margins in thousandths of an inch (left, top, right, bottom): they give the content
    // rectangle and the two column positions, then the pages are computed again.
    void setMargins(const Margins& margins);
    // Each re-creates both fonts, measures them and computes the pages again.
    void setFaceName(const std::string& face);
    void setPointSize(int points);
    // On paper six inches wide or less (whole inches) the report uses 8 points.
    void applyNarrowPaperSize();

    [[nodiscard]] int pointSize() const { return pointSize_; }
    [[nodiscard]] const std::string& faceName() const { return faceName_; }
    [[nodiscard]] const FontSpec& normalFont() const { return normalFont_; }
    [[nodiscard]] const FontSpec& boldFont() const { return boldFont_; }
    [[nodiscard]] int lineHeight() const { return lineHeight_; }
    [[nodiscard]] int averageCharWidth() const { return averageCharWidth_; }
    [[nodiscard]] int firstColumnX() const { return firstColumnX_; }
    [[nodiscard]] int secondColumnX() const { return secondColumnX_; }

protected:
    // Whether the page follows the narrow-paper rule (not the phone book and envelopes).
    [[nodiscard]] virtual bool usesNarrowPaperSize() const = 0;
    // The title and column heads.
    virtual void drawHeader() = 0;
    // "Page n" at the foot, centred.
    virtual void drawFooter(int pageNumber);
    virtual void drawFrame() = 0;
    // Draws the rows of page `pageIndex`, below the header at currentY().
    virtual void drawItems(int pageIndex) = 0;
    // Recomputes the pages from the current metrics and returns their number.
    virtual int paginate() = 0;

    // Lines at the left and right content edges with one-inch stubs inward at each corner.
    void drawBracketFrame();
    // Text at a point in the current font.
    void textOut(int x, int y, std::string_view text);
    // Centres `text` between the content edges.
    void textCentred(int y, std::string_view text);
    [[nodiscard]] int textWidth(std::string_view text) const;
    [[nodiscard]] DeviceMetrics metrics() const;
    // The canvas of the page being drawn.
    [[nodiscard]] PageCanvas& page() const { return *canvas_; }

    [[nodiscard]] int currentY() const { return currentY_; }
    void setCurrentY(int y) { currentY_ = y; }
    // Re-reads the line height and average width of the normal font from the canvas.
    void measureNormalFont();
    void repaginate() { pageCount_ = paginate(); }

private:
    void createFonts();

    int secondColumnX_ = 0;
    int firstColumnX_ = 0;
    std::array<double, 4> marginInches_ = {0.5, 0.5, 0.5, 0.5};  // left, right, top, bottom
    FontSpec boldFont_;
    FontSpec normalFont_;
    TextMetrics textMetrics_;
    int lineHeight_ = 0;
    int averageCharWidth_ = 0;
    int currentY_ = 0;
    PageCanvas* canvas_ = nullptr;
    int pageCount_ = 0;
    PageRect content_;
    int pointSize_ = 10;
    std::string faceName_ = "Times New Roman";
};
