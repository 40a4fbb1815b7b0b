#pragma once

#include <cstdint>
#include <string>

class DocumentDoor;
class PimDocument;
struct PersonForm;
struct User;

// The address-book editors' confirmed changes, made through the document's door as one
// undo step each, named for the Edit menu.

// Adds the person as "Add Person"; its new ID, 0 when nothing was added (no name and no
// company, or the identifiers ran out).
int32_t addPerson(DocumentDoor& door, const PersonForm& form);
// Writes the form over the person it was opened on as "Edit Person"; false, changing
// nothing, when that person is gone or the form cannot be confirmed.
bool updatePerson(DocumentDoor& door, const PersonForm& form);
// Replaces the owner's name and address as "Edit User".
void updateUser(DocumentDoor& door, const User& user);

// What a change in the group list came to.
enum class GroupChange { Done, Duplicate, InUse, Missing };

// The group details dialog offers OK only for a description with some text.
[[nodiscard]] inline bool canConfirmGroupDesc(const std::string& desc) {
    return !desc.empty();
}
// Adds a group as "Add Group", unless another has the same description, byte for byte.
GroupChange addGroup(DocumentDoor& door, const std::string& desc);
// Renames a group as "Edit Group"; its own description does not count as taken.
GroupChange renameGroup(DocumentDoor& door, int32_t id, const std::string& desc);
// Whether the group may be removed: Done when it may, InUse when some person is filed in
// it, Missing when it is gone. Asked before the user is asked to confirm.
[[nodiscard]] GroupChange groupDeletion(const PimDocument& document, int32_t id);
// Removes a group as "Delete Group", unless some person is filed in it.
GroupChange deleteGroup(DocumentDoor& door, int32_t id);
