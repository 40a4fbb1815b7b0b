#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a drawing surface tells about its paper, in device units from the printer's corner.
struct DeviceMetrics {
    int dpiX = 0;
    int dpiY = 0;
    int paperWidth = 0;   // the whole sheet
    int paperHeight = 0;  // the whole sheet
    int offsetX = 0;      // where the printable area starts
    int offsetY = 0;

    bool operator==(const DeviceMetrics&) const = default;
};

// A font as reports ask for it. A negative height is the height of the characters
// themselves, a positive one that of the whole cell.
struct FontSpec {
    int height = 0;
    int weight = 400;  // 400 normal, 700 bold
    std::string face;

    bool operator==(const FontSpec&) const = default;
};

// The measures of the selected font.
struct TextMetrics {
    int height = 0;  // ascent plus descent
    int externalLeading = 0;
    int averageCharWidth = 0;

    bool operator==(const TextMetrics&) const = default;
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const PageRect&) const = default;
};

enum class PenStyle { Solid, Dash, Dot, None };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;       // device units
    uint32_t color = 0;  // 0xRRGGBB

    bool operator==(const Pen&) const = default;
};

enum class BackgroundMode { Transparent, Opaque };

// How drawText lays text into its rectangle; the flags combine.
namespace textflags {
inline constexpr unsigned kLeft = 0;
inline constexpr unsigned kCenter = 1u << 0;
inline constexpr unsigned kRight = 1u << 1;
inline constexpr unsigned kVCenter = 1u << 2;
inline constexpr unsigned kWordBreak = 1u << 3;
inline constexpr unsigned kSingleLine = 1u << 4;
}  // namespace textflags

// The surface a report page is drawn on: a printer, a PDF file, the preview's recording,
// or a test's recorder. Coordinates are device units with the origin at the top-left
// corner of the printable area; text is UTF-8.
class PageCanvas {
public:
    virtual ~PageCanvas() = default;

    // The resolution and paper geometry of the device behind the canvas.
    [[nodiscard]] virtual DeviceMetrics metrics() const = 0;
    // Makes `font` the font of later text; returns the one selected before.
    virtual FontSpec selectFont(const FontSpec& font) = 0;
    // The measures of the selected font.
    [[nodiscard]] virtual TextMetrics textMetrics() const = 0;
    // The size of one line of text in the selected font.
    [[nodiscard]] virtual TextExtent textExtent(std::string_view text) const = 0;
    // Text whose top-left corner is at (x, y).
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // As textOut, but nothing is drawn outside `clip`.
    virtual void clippedTextOut(int x, int y, const PageRect& clip, std::string_view text) = 0;
    // Text laid into `rect` by `flags` (textflags); returns the height of the text drawn.
    virtual int drawText(const PageRect& rect, std::string_view text, unsigned flags) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the current position to (x, y) in the selected pen, which becomes the
    // current position.
    virtual void lineTo(int x, int y) = 0;
    // Makes `pen` the pen of later lines; returns the one selected before.
    virtual Pen selectPen(const Pen& pen) = 0;
    // Whether text fills its background with the background colour.
    virtual void setBackgroundMode(BackgroundMode mode) = 0;
    virtual void setBackgroundColor(uint32_t color) = 0;
    // Saves and restores the whole drawing state: font, pen, position, background.
    virtual void saveState() = 0;
    virtual void restoreState() = 0;
};
