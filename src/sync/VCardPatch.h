#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sync/SyncRecords.h"

// The card of a person for the server. A new card (`serverCard` empty) is written whole,
// named `uid`. Otherwise the server's own card is kept line for line (photos, birthdays,
// second addresses, a phone's own fields) and only the properties that hold the fields
// `changed` marks are rewritten, added or, for a field now empty, removed.
[[nodiscard]] std::string patchVCard(std::string_view serverCard, const Fields& fields,
                                     const std::vector<bool>& changed, const std::string& uid);

// The UID of the first card of the text; "" for none.
[[nodiscard]] std::string vcardUid(std::string_view text);
