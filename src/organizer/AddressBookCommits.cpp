#include "organizer/AddressBookCommits.h"

#include "organizer/PersonForm.h"
#include "records/DocumentDoor.h"

int32_t addPerson(DocumentDoor& door, const PersonForm& form) {
    if (!form.canConfirm()) return 0;
    return door.runStep(UndoStep::AddPerson,
                        [&](PimDocument& document) { return document.add(form.written()); });
}

bool updatePerson(DocumentDoor& door, const PersonForm& form) {
    if (!form.canConfirm() || !door.document().persons().contains(form.person.ID)) return false;
    return door.runStep(UndoStep::EditPerson,
                        [&](PimDocument& document) { return document.replace(form.written()); });
}

void updateUser(DocumentDoor& door, const User& user) {
    door.runStep(UndoStep::EditUser, [&](PimDocument& document) { document.setUser(user); });
}

GroupChange addGroup(DocumentDoor& door, const std::string& desc) {
    if (door.document().isGroupDescTaken(desc, -1)) return GroupChange::Duplicate;
    return door.runStep(UndoStep::AddGroup, [&](PimDocument& document) {
        return document.add(PhGroup{0, desc}) != 0 ? GroupChange::Done : GroupChange::Missing;
    });
}

GroupChange renameGroup(DocumentDoor& door, int32_t id, const std::string& desc) {
    const PimDocument& read = door.document();
    const PhGroup* group = read.phGroups().find(id);
    if (group == nullptr) return GroupChange::Missing;
    if (read.isGroupDescTaken(desc, id)) return GroupChange::Duplicate;
    if (group->Desc == desc) return GroupChange::Done;  // nothing to undo
    door.runStep(UndoStep::EditGroup, [&](PimDocument& document) {
        document.replace(PhGroup{id, desc});
    });
    return GroupChange::Done;
}

GroupChange groupDeletion(const PimDocument& document, int32_t id) {
    if (!document.phGroups().contains(id)) return GroupChange::Missing;
    return document.isGroupInUse(id) ? GroupChange::InUse : GroupChange::Done;
}

GroupChange deleteGroup(DocumentDoor& door, int32_t id) {
    const GroupChange allowed = groupDeletion(door.document(), id);
    if (allowed != GroupChange::Done) return allowed;
    return door.runStep(UndoStep::DeleteGroup, [&](PimDocument& document) {
        return document.deleteGroup(id) ? GroupChange::Done : GroupChange::InUse;
    });
}
