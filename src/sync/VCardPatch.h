#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/Person.h"
#include "sync/SyncFields.h"

// The card of a person for the server. A new card (`serverCard` empty) is written whole,
// named `uid`. Otherwise the server's own card is kept line for line (photos, birthdays,
// second addresses, a phone's own fields) and only the properties that hold the fields
// `changed` names (syncFields of a person) are rewritten, added or, for a field now empty,
// removed. `groups` are the names of the person's groups, as its categories.
[[nodiscard]] std::string patchVCard(std::string_view serverCard, const Person& person,
                                     const std::vector<std::string>& groups,
                                     const FieldKeys& changed, const std::string& uid);

// The UID of the first card of the text; "" for none.
[[nodiscard]] std::string vcardUid(std::string_view text);
