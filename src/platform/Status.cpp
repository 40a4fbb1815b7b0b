#include "platform/Status.h"

#include <utility>

Status Status::failure(FailureKind kind, std::string file, std::string reason, int32_t line,
                       int32_t column) {
    Status status;
    status.kind_ = kind == FailureKind::None ? FailureKind::Content : kind;
    status.file_ = std::move(file);
    status.reason_ = std::move(reason);
    status.line_ = line;
    status.column_ = column;
    return status;
}

std::string Status::message() const {
    if (ok()) return "";
    std::string text = file_;
    if (!file_.empty() && line_ > 0) {
        text += ':' + std::to_string(line_);
        if (column_ > 0) text += ':' + std::to_string(column_);
    }
    if (!text.empty()) text += ": ";
    return text + reason_;
}

Status Status::inFile(const std::string& file) const {
    Status placed = *this;
    if (!ok() && placed.file_.empty()) placed.file_ = file;
    return placed;
}
