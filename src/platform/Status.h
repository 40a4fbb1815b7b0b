#pragma once

#include <cstdint>
#include <string>

// What went wrong, in a few kinds that callers treat differently.
enum class FailureKind {
    None,      // nothing went wrong
    Usage,     // the request itself was malformed (a command line, a missing name)
    Read,      // a file could not be read
    Write,     // a file could not be written
    Syntax,    // a file's text is malformed at a line and column
    Content,   // a file was read but cannot be used as asked
    Conflict,  // a file was changed by another program since it was read
    Busy,      // a file is locked by another program for longer than we wait
};

// What an operation that can fail did: succeeded, or failed saying why and where (the
// file, and the line and column where there is one). Every operation of the program that
// can fail reports through this one shape.
class [[nodiscard]] Status {
public:
    // Success.
    Status() = default;
    // A failure of `kind` in `file` ("" when no file is concerned).
    static Status failure(FailureKind kind, std::string file, std::string reason, int32_t line = 0,
                          int32_t column = 0);

    [[nodiscard]] bool ok() const { return kind_ == FailureKind::None; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] FailureKind kind() const { return kind_; }
    // The file concerned, "" when none is.
    [[nodiscard]] const std::string& file() const { return file_; }
    // The line and column of the problem, from 1; 0 when there is none.
    [[nodiscard]] int32_t line() const { return line_; }
    [[nodiscard]] int32_t column() const { return column_; }
    // What went wrong, without the place.
    [[nodiscard]] const std::string& reason() const { return reason_; }
    // "FILE:LINE:COLUMN: REASON", leaving out the parts there are not; "" on success.
    [[nodiscard]] std::string message() const;
    // The same failure, placed in `file` unless it names one already.
    [[nodiscard]] Status inFile(const std::string& file) const;

private:
    FailureKind kind_ = FailureKind::None;
    std::string file_;
    std::string reason_;
    int32_t line_ = 0;
    int32_t column_ = 0;
};
