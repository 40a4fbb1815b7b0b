#pragma once

#include <string_view>

#include "platform/Translate.h"

// The display name of a document that has never been saved. The last-file setting holds
// it too when such a document was open at closing time, so it is a marker there, not a
// path.
inline constexpr const char* kUntitledName = N_("Untitled");

// Whether `path` names no file: empty, or the untitled marker.
[[nodiscard]] inline bool isUntitled(std::string_view path) {
    return path.empty() || path == kUntitledName;
}
