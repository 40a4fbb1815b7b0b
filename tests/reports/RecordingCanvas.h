#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "reports/PageCanvas.h"
#include "reports/ReportBuilder.h"
#include "support/FixedLocale.h"

// A canvas with fixed, simple metrics that records what is drawn on it. Characters are
// as tall as the font's character height and half as wide; every line has 5 units of
// leading.
class RecordingCanvas : public PageCanvas {
public:
    static constexpr int kLeading = 5;

    struct Text {
        int x = 0, y = 0;
        std::string text;
        FontSpec font;
        PageRect clip;  // none for text drawn unclipped
        bool operator==(const Text&) const = default;
    };
    struct Line {
        int x1, y1, x2, y2;
        bool operator==(const Line&) const = default;
    };

    explicit RecordingCanvas(DeviceMetrics metrics) : metrics_(metrics) {}

    DeviceMetrics metrics() const override { return metrics_; }
    FontSpec selectFont(const FontSpec& font) override { return std::exchange(font_, font); }
    TextMetrics textMetrics() const override {
        const int height = std::abs(font_.height);
        return {height, kLeading, height / 2};
    }
    TextExtent textExtent(std::string_view text) const override {
        return {int(text.size()) * (std::abs(font_.height) / 2), std::abs(font_.height)};
    }
    void textOut(int x, int y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), font_, {}});
    }
    void clippedTextOut(int x, int y, const PageRect& clip, std::string_view text) override {
        texts.push_back({x, y, std::string(text), font_, clip});
    }
    int drawText(const PageRect& rect, std::string_view text, unsigned) override {
        texts.push_back({rect.left, rect.top, std::string(text), font_, rect});
        return std::abs(font_.height);
    }
    void moveTo(int x, int y) override { x_ = x, y_ = y; }
    void lineTo(int x, int y) override {
        lines.push_back({x_, y_, x, y});
        moveTo(x, y);
    }
    Pen selectPen(const Pen& pen) override { return std::exchange(pen_, pen); }
    void setBackgroundMode(BackgroundMode) override {}
    void setBackgroundColor(uint32_t) override {}
    void saveState() override { ++depth; }
    void restoreState() override { --depth; }

    // The text drawn as `text`, or nullptr.
    const Text* find(const std::string& text) const {
        for (const Text& t : texts)
            if (t.text == text) return &t;
        return nullptr;
    }
    // The text drawn as `text`; when there is none, a failure and an entry at (-1, -1).
    const Text& at(const std::string& text) const {
        static const Text none{-1, -1, "(not drawn)", {}, {}};
        const Text* drawn = find(text);
        if (drawn == nullptr) ADD_FAILURE() << '"' << text << "\" was not drawn";
        return drawn != nullptr ? *drawn : none;
    }
    // Where `text` was drawn: (x, y).
    std::pair<int, int> where(const std::string& text) const {
        const Text& drawn = at(text);
        return {drawn.x, drawn.y};
    }
    void clear() {
        texts.clear();
        lines.clear();
    }

    std::vector<Text> texts;
    std::vector<Line> lines;
    int depth = 0;

private:
    DeviceMetrics metrics_;
    FontSpec font_;
    Pen pen_;
    int x_ = 0, y_ = 0;
};

// Letter paper at 100 dots per inch, without offsets. With one-inch margins the content
// runs from 100 to 750 across and 1000 down; a 10-point line (13 + 5 units) fits 50 times
// into its height, and with characters 6 wide the columns start at 106 and 431.
inline DeviceMetrics letterAt100Dpi(int widthHundredths = 850) {
    return {100, 100, widthHundredths, 1100, 0, 0};
}
constexpr int kTop = 100;
constexpr int kBottom = 1000;
constexpr int kLine = 18;
constexpr int kCol1 = 106;
constexpr int kCol2 = 431;

// The report of `kind` laid out on `canvas` with the default settings, in English.
inline std::unique_ptr<PrintReport> layOut(ReportKind kind, PageCanvas& canvas,
                                           const ReportInputs& inputs,
                                           const ReportSettings& settings = {}) {
    static const FixedLocale locale;
    return buildReport(kind, canvas, inputs, settings, locale);
}
