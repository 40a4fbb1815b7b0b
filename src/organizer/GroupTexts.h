#pragma once

#include "platform/Translate.h"

#include <string>

// The messages of the address-book group list, in English: show them through _().
inline constexpr const char* kDuplicateGroupCaption = N_("Duplicate Address Book Group");
inline constexpr const char* kDeleteGroupCaption = N_("Delete Group");
inline constexpr const char* kDeleteGroupQuestion =
    N_("Are you sure you want to delete the selected group? If it is in use anywhere, it will "
       "not be deleted");
inline constexpr const char* kGroupInUseMessage = N_("The group is in use. It was not deleted.");
// A group that could not be stored: no group number is left, or it was deleted meanwhile.
inline constexpr const char* kGroupNotSavedMessage =
    N_("The group could not be saved: it no longer exists, or the document has no group numbers "
       "left.");

// The message for a description another group already has.
[[nodiscard]] inline std::string duplicateGroupMessage(const std::string& desc) {
    return fillIn(_("%s is already listed in the table of Adress Book Groups.\nPlease enter a "
                    "different description."),
                  {desc});
}
