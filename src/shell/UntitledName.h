#pragma once

// The display name of a document that has never been saved. The last-file setting holds
// it too when such a document was open at closing time, so it is a marker there, not a
// path.
inline constexpr const char* kUntitledName = "Untitled";
