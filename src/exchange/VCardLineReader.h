#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Cuts the text of a vCard file into content lines. A line break followed by a space or
// tab continues the line (the break and that one blank go); in a quoted-printable value a
// line ending in "=" goes on with the next line, as version 2.1 writes long values. Lines
// may end in CR LF, LF or CR. Blank lines are passed over.
class VCardLineReader {
public:
    // Reads `text`, which must outlive the reader.
    explicit VCardLineReader(std::string_view text) : text_(text) {}

    // The next content line, valid until the next call; false at the end of the text.
    [[nodiscard]] bool next(std::string_view& line);
    // The physical line (from 1) on which the last content line began.
    [[nodiscard]] size_t lineNumber() const { return startLine_; }

private:
    // The physical line at pos_, without its line break, and moves past it.
    std::string_view physicalLine();
    [[nodiscard]] bool continuesWithBlank() const;

    std::string_view text_;
    size_t pos_ = 0;
    size_t nextLine_ = 1;
    size_t startLine_ = 0;
    std::string joined_;  // a line made of several physical lines
};

// Whether a content line's value is quoted-printable and ends in a soft line break.
[[nodiscard]] bool endsInSoftLineBreak(std::string_view line);
