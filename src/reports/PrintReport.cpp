#include "reports/PrintReport.h"
#include "platform/Translate.h"

#include <cmath>
#include <cstdint>

namespace {

// Device units never exceed an int on real paper; hostile settings are held to it.
int truncated(double value) {
    if (!(value > INT32_MIN)) return INT32_MIN;
    if (!(value < INT32_MAX)) return INT32_MAX;
    return static_cast<int>(value);
}

}  // namespace

PrintReport::PrintReport(PageCanvas& measuring) : canvas_(&measuring) {
    createFonts();
    measureNormalFont();
}

DeviceMetrics PrintReport::metrics() const {
    return canvas_ != nullptr ? canvas_->metrics() : DeviceMetrics{};
}

void PrintReport::createFonts() {
    // A negative height asks for the height of the characters, not of their cells.
    const int height = -truncated(double(metrics().dpiY) * pointSize_ / 72.0);
    normalFont_ = FontSpec{height, kNormalWeight, faceName_};
    boldFont_ = FontSpec{height, kBoldWeight, faceName_};
}

void PrintReport::measureNormalFont() {
    if (canvas_ == nullptr) return;
    const FontSpec previous = canvas_->selectFont(normalFont_);
    textMetrics_ = canvas_->textMetrics();
    lineHeight_ = textMetrics_.height + textMetrics_.externalLeading;
    averageCharWidth_ = textMetrics_.averageCharWidth;
    canvas_->selectFont(previous);
}

void PrintReport::setFaceName(const std::string& face) {
    faceName_ = face;
    createFonts();
    measureNormalFont();
    repaginate();
}

void PrintReport::setPointSize(int points) {
    pointSize_ = points;
    createFonts();
    measureNormalFont();
    repaginate();
}

void PrintReport::applyNarrowPaperSize() {
    const DeviceMetrics m = metrics();
    // A device without a resolution has no paper width to judge by.
    if (usesNarrowPaperSize() && m.dpiX > 0 && m.paperWidth / m.dpiX <= 6) setPointSize(8);
}

void PrintReport::setMargins(const Margins& m) {
    const double left = m[0] * 0.001;
    const double top = m[1] * 0.001;
    const double right = m[2] * 0.001;
    const double bottom = m[3] * 0.001;
    marginInches_ = {left, right, top, bottom};
    const DeviceMetrics d = metrics();
    content_.left = truncated(d.dpiX * left - d.offsetX);
    content_.top = truncated(d.dpiY * top - d.offsetY);
    content_.right = truncated(d.paperWidth - d.dpiX * right - d.offsetX);
    content_.bottom = truncated(d.paperHeight - d.dpiY * bottom - d.offsetY);
    firstColumnX_ = content_.left + averageCharWidth_;
    secondColumnX_ = firstColumnX_ + truncated((double(content_.right) - content_.left) / 2);
    repaginate();
}

void PrintReport::printPage(PageCanvas& canvas, int pageIndex) {
    PageCanvas* const measuring = canvas_;
    canvas_ = &canvas;
    applyNarrowPaperSize();
    const FontSpec previous = canvas.selectFont(normalFont_);
    measureNormalFont();
    canvas.selectFont(normalFont_);
    drawHeader();
    drawFooter(pageIndex + 1);
    drawFrame();
    currentY_ = content_.top + 2 * lineHeight_;
    if (pageIndex >= 0 && pageIndex < pageCount_) drawItems(pageIndex);
    canvas.selectFont(previous);
    canvas_ = measuring;
}

void PrintReport::drawFooter(int pageNumber) {
    const FontSpec previous = page().selectFont(boldFont_);
    textCentred(content_.bottom - lineHeight_, fillIn(_("Page %s"), {std::to_string(pageNumber)}));
    page().selectFont(previous);
}

void PrintReport::drawBracketFrame() {
    const PageRect& c = content_;
    const int inch = metrics().dpiX;
    PageCanvas& p = page();
    p.moveTo(c.left, c.top);
    p.lineTo(c.left, c.bottom);
    p.moveTo(c.right, c.top);
    p.lineTo(c.right, c.bottom);
    p.moveTo(c.left, c.top);
    p.lineTo(c.left + inch, c.top);
    p.moveTo(c.right, c.top);
    p.lineTo(c.right - inch, c.top);
    p.moveTo(c.left, c.bottom);
    p.lineTo(c.left + inch, c.bottom);
    p.moveTo(c.right, c.bottom);
    p.lineTo(c.right - inch, c.bottom);
}

void PrintReport::textOut(int x, int y, std::string_view text) {
    page().textOut(x, y, text);
}

int PrintReport::textWidth(std::string_view text) const {
    return page().textExtent(text).width;
}

void PrintReport::textCentred(int y, std::string_view text) {
    textOut(content_.left + (content_.right - content_.left - textWidth(text)) / 2, y, text);
}
